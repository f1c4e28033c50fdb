#include "editor/grid_text.h"

#include <cstdio>

#include "i18n/texts.h"

namespace kv3 {

std::string ToneText(const Tone& tone, Language lang) {
  switch (tone.kind) {
    case ToneKind::Blank:
      return {};
    case ToneKind::Off:
      return Localize(kToneOff, lang);
    default:
      return SetToneText(tone);
  }
}

std::string ChoiceText(int col, int position, Language lang) {
  if (position < 0 || position > 1) return {};
  switch (col) {
    case 5:
      return Localize(kPowerList[position], lang);
    case 6:
      return Localize(kForbidList[position], lang);
    case 7:
      return Localize(kBandwidthList[position], lang);
    case 8:
      return Localize(kScanList[position], lang);
    default:
      return {};
  }
}

std::string CellText(const ChannelGrid& grid, int row, int col, Language lang) {
  if (row < 1 || row > kChannelCount) return {};
  const Channel& ch = grid.channels[row - 1];
  switch (col) {
    case 0: {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%02d", row);
      return buf;
    }
    case 1:
      return FrequencyText(ch.rx);
    case 2:
      return ToneText(ch.rxTone, lang);
    case 3:
      return FrequencyText(ch.tx);
    case 4:
      return ToneText(ch.txTone, lang);
    case 5:
      return ChoiceText(5, ch.power, lang);
    case 6:
      return ChoiceText(6, ch.forbid, lang);
    case 7:
      return ChoiceText(7, ch.bandwidth, lang);
    case 8:
      return ChoiceText(8, ch.scan, lang);
    default:
      return {};
  }
}

std::string VoicePromptText(int position, Language lang) {
  if (position < 0 || position >= static_cast<int>(kVoicePromptList.size())) return {};
  return Localize(kVoicePromptList[position], lang);
}

std::string OffOnText(int position, Language lang) {
  if (position < 0 || position > 1) return {};
  return Localize(kOffOnList[position], lang);
}

}  // namespace kv3
