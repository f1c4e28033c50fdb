#include "codeplug/codeplug_view.h"

#include <cmath>
#include <cstdio>

#include "editor/band.h"
#include "editor/grid_text.h"
#include "i18n/texts.h"
#include "image/hex.h"

namespace kv3 {

const std::array<const char*, 9> kGridColumnKeys = {"channel",     "rxFrequency", "rxTone",
                                                    "txFrequency", "txTone",      "power",
                                                    "forbid",      "bandwidth",   "scan"};

namespace {

// The list entry a decimal option text selects; the text itself when it
// names no entry.
template <typename List>
std::string Pick(const List& list, const std::string& text, Language lang) {
  double v = Val(text);
  if (v >= 0 && v < static_cast<double>(list.size()) && v == std::floor(v))
    return Localize(list[static_cast<size_t>(v)], lang);
  return text;
}

std::string PickPlain(const auto& list, int v) {
  if (v >= 0 && v < static_cast<int>(list.size())) return list[v];
  return std::to_string(v);
}

std::string Check(const std::string& text) {
  return Val(text) != 0 ? "[x]" : "[ ]";
}

std::string HexBytes(const std::string& bytes) {
  return BytesToHexText(
      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace

CodeplugView MakeView(const EditorState& state, Language lang) {
  CodeplugView view;
  for (int c = 0; c < 9; ++c) view.gridHeaders[c] = Localize(kGridHeaders[c], lang);
  for (int r = 1; r <= kChannelCount; ++r)
    for (int c = 0; c < 9; ++c) view.grid[r - 1][c] = CellText(state.grid, r, c, lang);

  const auto& fs = state.settings;
  const auto& s = state.shared;
  const auto& ot = s.OptionText;
  const auto& oi = s.OptionIndex;

  int band = state.band.index;
  view.sections.push_back(
      {"band",
       Localize(kBandFrame, lang),
       {{"band", Localize(kBandLabel, lang),
         band >= 0 && band < kBandCount ? std::string(kBands[band].text) : std::string()}}});

  auto entry = [](int pos, int count, auto make) {
    return pos >= 0 && pos < count ? make(pos) : std::string();
  };
  view.sections.push_back(
      {"functionSettings",
       Localize(kSettingsFrame, lang),
       {
           {"voicePrompt", Localize(kVoicePromptLabel, lang),
            VoicePromptText(fs.voicePrompt, lang)},
           {"txTimeout", Localize(kTxTimeoutLabel, lang),
            entry(fs.txTimeout, kTxTimeoutCount, [&](int p) { return TxTimeoutEntry(p, lang); })},
           {"preAlert", Localize(kPreAlertLabel, lang),
            entry(fs.preAlert, kPreAlertCount, [&](int p) { return PreAlertEntry(p, lang); })},
           {"squelch", Localize(kSquelchLabel, lang),
            entry(fs.squelch, kSquelchCount, [&](int p) { return SquelchEntry(p, lang); })},
           {"batterySave", Localize(kBatterySaveLabel, lang), OffOnText(fs.batterySave, lang)},
           {"beep", Localize(kBeepLabel, lang), OffOnText(fs.beep, lang)},
       }});

  using namespace form5;
  auto retrace = [&](const std::string& t) {
    double v = Val(t);
    return v >= 0 && v < kRetraceCount ? RetraceEntry(static_cast<int>(v), lang) : t;
  };
  auto priorityChannel = [&](const std::string& t) {
    int v = static_cast<int>(Val(t));
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return v >= 1 && v <= 16 ? std::string(buf) : t;
  };
  view.sections.push_back(
      {"optionalFunctions",
       Localize(form5::kTitle, lang),
       {
           {"voxFunction", Localize(kVoxFunction, lang), Pick(kOffOnList, ot[5], lang)},
           {"voxGain", Localize(kVoxGain, lang),
            Val(ot[6]) >= 0 && Val(ot[6]) <= 10 ? VoxGainEntry(static_cast<int>(Val(ot[6])), lang)
                                                : ot[6]},
           {"voxDelay", Localize(kVoxDelay, lang),
            PickPlain(kVoxDelayList, static_cast<int>(Val(ot[7])))},
           {"voxTone", Localize(kVoxTone, lang), Pick(kOffOnList, ot[8], lang)},
           {"cancelOperation", Localize(kCancelOperation, lang), Check(ot[22])},
           {"rxBlocksVox", Localize(kRxBlocksVox, lang), Check(ot[23])},
           {"pttId", Localize(kPttId, lang), Pick(kPttIdList, ot[3], lang)},
           {"duplicate", Localize(kDuplicate, lang), Pick(kOffOnList, ot[9], lang)},
           {"priority", Localize(kPriority, lang), Pick(kPriorityList, ot[10], lang)},
           {"priorityChannel", Localize(kPriorityChannel, lang), priorityChannel(ot[11])},
           {"retraceTimeA", Localize(kRetraceA, lang), retrace(ot[12])},
           {"retraceTimeB", Localize(kRetraceB, lang), retrace(ot[13])},
           {"returnChannel", Localize(kReturnChannel, lang),
            Pick(kReturnChannelList, ot[14], lang)},
           {"scanRxDelay", Localize(kScanRxDelay, lang), ot[18]},
           {"scanTxDelay", Localize(kScanTxDelay, lang), ot[19]},
       }});

  ViewSection dtmf{"dtmf", "DTMF", {}};
  char ms[16];
  std::snprintf(ms, sizeof ms, "%dMS", oi[2]);
  dtmf.fields = {
      {"dtmfRate", kDtmfRate, PickPlain(kDtmfRateList, oi[0])},
      {"firstDigitTime", kFirstDigitTime, PickPlain(kMsList, oi[1])},
      {"firstDigitDelay", kFirstDigitDelay, ms},
      {"starHashTone", kStarHashTone, PickPlain(kMsList, oi[3])},
      {"dKey", kDKey, DKeyEntry(oi[4])},
      {"dtmfSideTone", kDtmfSideTone,
       oi[5] == 0   ? "禁止"
       : oi[5] == 1 ? "使能"
                    : std::to_string(oi[5])},
      {"groupCall", kGroupCall, PickPlain(kGroupCallList, oi[6])},
      {"autoReset", kAutoReset, AutoResetEntry(oi[7])},
  };
  for (int k = 0; k < 8; ++k)
    dtmf.fields.push_back({"autoDial" + std::to_string(k + 1),
                           std::string(kAutoDialMemory) + " " + std::to_string(k + 1),
                           Latin1ToUtf8(s.DtmfMemoryCodes[k])});
  view.sections.push_back(std::move(dtmf));

  auto key = [&](int v) {
    if (v < 0 || v > 11) v = 1;  // the list shows "OFF" for a value it does not hold
    return Localize(form6::kKeyFunctions[v], lang);
  };
  view.sections.push_back(
      {"keys",
       Localize(form6::kTitle, lang),
       {{"pf1", "PF1", key(s.Pf1KeyFunction)}, {"pf2", "PF2", key(s.Pf2KeyFunction)}}});

  view.sections.push_back(
      {"powerLevels",
       form2::kTitle,
       {{"txPowerHigh", Localize(form2::kHighFrame, lang), std::to_string(s.TxPowerHighLevel)},
        {"txPowerLow", Localize(form2::kLowFrame, lang), std::to_string(s.TxPowerLowLevel)}}});

  ViewSection test{"testFrequencies", Localize(kTestFrequenciesTitle, lang), {}};
  for (int t = 0; t < kChannelCount; ++t) {
    char num[4];
    std::snprintf(num, sizeof num, "%02d", t + 1);
    test.fields.push_back({"test" + std::string(num) + ".rx",
                           std::string(num) + " " + Localize(form4::kHeaders[1], lang),
                           FrequencyText(s.TestFrequencyTable[t][0])});
    test.fields.push_back({"test" + std::string(num) + ".tx",
                           std::string(num) + " " + Localize(form4::kHeaders[2], lang),
                           FrequencyText(s.TestFrequencyTable[t][1])});
  }
  view.sections.push_back(std::move(test));

  view.sections.push_back({"embeddedInfo",
                           Localize(form7::kTitle, lang),
                           {{"line1", "1", Latin1ToUtf8(s.EmbeddedInfoText[0])},
                            {"line2", "2", Latin1ToUtf8(s.EmbeddedInfoText[1])}}});

  // Values carried from read to write that no window shows.
  view.sections.push_back({"carried",
                           "OptionText",
                           {{"optionText15", "OptionText(15)", HexBytes(ot[15])},
                            {"optionText16", "OptionText(16)", HexBytes(ot[16])},
                            {"optionText17", "OptionText(17)", HexBytes(ot[17])}}});
  return view;
}

}  // namespace kv3
