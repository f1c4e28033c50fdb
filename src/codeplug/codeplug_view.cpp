#include "codeplug/codeplug_view.h"

#include "editor/codeplug_fields.h"
#include "editor/grid_text.h"
#include "i18n/texts.h"

namespace kv3 {

std::string ViewKey(const FieldRef& field) {
  std::string key = field.Key();
  std::string prefix = std::string(InfoOf(field.row->section).key) + ".";
  return key.rfind(prefix, 0) == 0 ? key.substr(prefix.size()) : key;
}

CodeplugView MakeView(const EditorState& state, Language lang) {
  CodeplugView view;
  for (int c = 0; c < 9; ++c) view.gridHeaders[c] = Localize(kGridHeaders[c], lang);
  for (int r = 1; r <= kChannelCount; ++r)
    for (int c = 0; c < 9; ++c) view.grid[r - 1][c] = CellText(state.grid, r, c, lang);

  for (const SectionInfo& info : kSections)
    view.sections.push_back({info.key, SectionCaption(info.section, lang), {}});
  for (const FieldRef& f : AllFields())
    view.sections[static_cast<size_t>(f.row->section)].fields.push_back(
        {ViewKey(f), CaptionText(f, lang), ShownText(state, f, lang)});
  return view;
}

}  // namespace kv3
