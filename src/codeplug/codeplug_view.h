// What the windows show of a codeplug, as captions and texts in a language:
// the channel grid, the band, the function settings and the values of the
// feature dialogs. The command-line tool prints it and compares it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

struct ViewField {
  std::string key;      // its key in the section: "squelch", "memoryCodes.3", "3.rx"
  std::string caption;  // the caption the window shows beside the value
  std::string value;    // the text the window shows
};

struct ViewSection {
  std::string key;  // the section's key: "functionSettings"
  std::string caption;
  std::vector<ViewField> fields;
};

struct CodeplugView {
  std::array<std::string, 9> gridHeaders;
  std::array<std::array<std::string, 9>, 16> grid;  // rows 01..16, columns 0..8
  std::vector<ViewSection> sections;
};

CodeplugView MakeView(const EditorState& state, Language lang);

struct FieldRef;
// A field's key in its section of the view ("optionalFunctions.voxGain" is
// "voxGain"; the band's is "band").
std::string ViewKey(const FieldRef& field);

}  // namespace kv3
