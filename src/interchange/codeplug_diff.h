// What differs between two codeplugs, field by field, in the captions and
// texts the windows show.
#pragma once

#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

struct FieldDifference {
  int channel = 0;      // 1..16 for a channel grid cell, otherwise 0
  std::string section;  // "channels", a view section key, or "image"
  std::string field;    // the column or field key, or the image address
  std::string where;    // "channel 3", a window title, or "" (main window settings)
  std::string caption;  // the caption beside the value ("RX frequency", "Squelch Grade:")
  std::string before;
  std::string after;
};

// Every field whose shown text differs. When two codeplugs look the same but
// would still write different memory images, the differing image bytes are
// listed instead.
std::vector<FieldDifference> DiffCodeplugs(const EditorState& a, const EditorState& b,
                                           Language lang);

// "channel 3: RX frequency 438.12500 → 439.00000", "Squelch Grade: 5 Group → 3 Group".
std::string DifferenceLine(const FieldDifference& d, Language lang);

// The lines kv3ctl diff prints for a → b, and every window that compares
// shows: one DifferenceLine each, the control characters (and backslashes) a
// radio's text may hold shown escaped in the values.
std::vector<std::string> DifferenceLines(const EditorState& a, const EditorState& b, Language lang);

}  // namespace kv3
