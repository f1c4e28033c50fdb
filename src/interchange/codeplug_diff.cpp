#include "interchange/codeplug_diff.h"

#include <cstdio>

#include "codeplug/codec.h"
#include "codeplug/codeplug_view.h"
#include "editor/codeplug_fields.h"
#include "editor/grid_text.h"
#include "i18n/texts.h"
#include "interchange/entry_checks.h"

namespace kv3 {

namespace {
constexpr Text2 kChannelWord{"信道", "channel"};
constexpr Text2 kEmptyValue{"(空)", "(empty)"};
constexpr Text2 kImageWord{"存储器地址", "image address"};

// diff --json names its fields as it always has; where that name is not the
// field's key in the JSON format, here is the old one.
constexpr std::pair<std::string_view, std::string_view> kDiffNames[] = {
    {"txInhibit", "forbid"},
    {"functionSettings.txTimeoutSeconds", "txTimeout"},
    {"functionSettings.preAlertSeconds", "preAlert"},
    {"optionalFunctions.scanRxDelaySeconds", "scanRxDelay"},
    {"optionalFunctions.scanTxDelaySeconds", "scanTxDelay"},
    {"dtmf.rate", "dtmfRate"},
    {"dtmf.firstDigitDelayMs", "firstDigitDelay"},
    {"dtmf.sideTone", "dtmfSideTone"},
    {"dtmf.autoResetTimer", "autoReset"},
    {"powerLevels.high", "txPowerHigh"},
    {"powerLevels.low", "txPowerLow"},
};

std::string DiffName(const FieldRef& f) {
  const std::string key = f.Key();
  for (const auto& [now, before] : kDiffNames)
    if (key == now) return std::string(before);
  char number[8];
  std::snprintf(number, sizeof number, "%02d", f.number);
  switch (f.row->section) {
    case FieldSection::Dtmf:
      if (f.row->repeat.count > 1) return "autoDial" + std::to_string(f.number);
      break;
    case FieldSection::TestFrequencies:
      return "test" + std::string(number) + (f.row->slot.index == 0 ? ".rx" : ".tx");
    case FieldSection::EmbeddedInfo:
      return "line" + std::to_string(f.number);
    default:
      break;
  }
  return ViewKey(f);
}

std::string DiffName(int gridColumn) {
  std::string key = GridColumnKey(gridColumn);
  for (const auto& [now, before] : kDiffNames)
    if (key == now) return std::string(before);
  return key;
}
}  // namespace

std::vector<FieldDifference> DiffCodeplugs(const EditorState& a, const EditorState& b,
                                           Language lang) {
  std::vector<FieldDifference> out;
  for (int r = 0; r < kChannelCount; ++r) {
    for (int c = 1; c < 9; ++c) {
      std::string before = CellText(a.grid, r + 1, c, lang),
                  after = CellText(b.grid, r + 1, c, lang);
      if (before == after) continue;
      FieldDifference d;
      d.channel = r + 1;
      d.section = "channels";
      d.field = DiffName(c);
      d.where = Localize(kChannelWord, lang) + " " + std::to_string(r + 1);
      d.caption = Localize(kGridHeaders[c], lang);
      // Both tone columns carry the same header: name the frequency beside it.
      if (c == 2 || c == 4) d.caption += " (" + Localize(kGridHeaders[c - 1], lang) + ")";
      d.before = std::move(before);
      d.after = std::move(after);
      out.push_back(std::move(d));
    }
  }

  for (const FieldRef& f : AllFields()) {
    std::string before = ShownText(a, f, lang), after = ShownText(b, f, lang);
    if (before == after) continue;
    FieldDifference d;
    d.section = InfoOf(f.row->section).key;
    d.field = DiffName(f);
    // The function settings sit on the main window itself.
    if (f.row->section != FieldSection::FunctionSettings)
      d.where = SectionCaption(f.row->section, lang);
    d.caption = CaptionText(f, lang);
    d.before = std::move(before);
    d.after = std::move(after);
    out.push_back(std::move(d));
  }

  if (out.empty()) {
    MemoryImage ia = EncodeImage(a), ib = EncodeImage(b);
    for (size_t k = 0; k < ia.size(); ++k) {
      if (ia[k] == ib[k]) continue;
      char address[16], before[4], after[4];
      std::snprintf(address, sizeof address, "%d", static_cast<int>(k) + kImageFirstAddress);
      std::snprintf(before, sizeof before, "%02X", ia[k]);
      std::snprintf(after, sizeof after, "%02X", ib[k]);
      FieldDifference d;
      d.section = "image";
      d.field = address;
      d.caption = Localize(kImageWord, lang) + " " + address;
      d.before = before;
      d.after = after;
      out.push_back(std::move(d));
    }
  }
  return out;
}

std::string DifferenceLine(const FieldDifference& d, Language lang) {
  auto shown = [&](const std::string& v) { return v.empty() ? Localize(kEmptyValue, lang) : v; };
  std::string line;
  if (!d.where.empty()) line = d.where + ": ";
  line += d.caption + " " + shown(d.before) + " \u2192 " + shown(d.after);
  return line;
}

std::vector<std::string> DifferenceLines(const EditorState& a, const EditorState& b,
                                         Language lang) {
  std::vector<std::string> lines;
  // The values are escaped, not the captions: a caption's own backslash
  // ("宽\窄带") is shown as the windows show it.
  for (FieldDifference& d : DiffCodeplugs(a, b, lang)) {
    d.before = EscapeControls(d.before);
    d.after = EscapeControls(d.after);
    lines.push_back(DifferenceLine(d, lang));
  }
  return lines;
}

}  // namespace kv3
