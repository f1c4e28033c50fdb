#include "interchange/codeplug_diff.h"

#include <cstdio>

#include "codeplug/codec.h"
#include "codeplug/codeplug_view.h"
#include "i18n/texts.h"

namespace kv3 {

namespace {
constexpr Text2 kChannelWord{"信道", "channel"};
constexpr Text2 kEmptyValue{"(空)", "(empty)"};
constexpr Text2 kImageWord{"存储器地址", "image address"};
}  // namespace

std::vector<FieldDifference> DiffCodeplugs(const EditorState& a, const EditorState& b,
                                           Language lang) {
  std::vector<FieldDifference> out;
  CodeplugView va = MakeView(a, lang), vb = MakeView(b, lang);

  for (int r = 0; r < kChannelCount; ++r) {
    for (int c = 1; c < 9; ++c) {
      if (va.grid[r][c] == vb.grid[r][c]) continue;
      FieldDifference d;
      d.channel = r + 1;
      d.section = "channels";
      d.field = kGridColumnKeys[c];
      d.where = Localize(kChannelWord, lang) + " " + std::to_string(r + 1);
      d.caption = va.gridHeaders[c];
      // Both tone columns carry the same header: name the frequency beside it.
      if (c == 2 || c == 4) d.caption += " (" + va.gridHeaders[c - 1] + ")";
      d.before = va.grid[r][c];
      d.after = vb.grid[r][c];
      out.push_back(std::move(d));
    }
  }

  for (size_t s = 0; s < va.sections.size() && s < vb.sections.size(); ++s) {
    const ViewSection& sa = va.sections[s];
    const ViewSection& sb = vb.sections[s];
    for (size_t f = 0; f < sa.fields.size() && f < sb.fields.size(); ++f) {
      if (sa.fields[f].value == sb.fields[f].value) continue;
      FieldDifference d;
      d.section = sa.key;
      d.field = sa.fields[f].key;
      // The function settings sit on the main window itself.
      if (sa.key != "functionSettings") d.where = sa.caption;
      d.caption = sa.fields[f].caption;
      d.before = sa.fields[f].value;
      d.after = sb.fields[f].value;
      out.push_back(std::move(d));
    }
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

}  // namespace kv3
