// The texts the windows show for the editor's typed values.
#pragma once

#include <string>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

// A tone cell: "" (blank), the off text of the language, "88.5", "D023N".
std::string ToneText(const Tone& tone, Language lang);

// The text of a channel grid cell, columns 0..8 of a channel row (row 1..16),
// as the main window shows it in a language.
std::string CellText(const ChannelGrid& grid, int row, int col, Language lang);

// The text of a per-channel choice (column 5..8) at a position; "" for blank.
std::string ChoiceText(int col, int position, Language lang);

// The selected entry of a function settings list (Combo2, 3, 4, 9, 6, 7);
// "" when nothing is selected.
std::string VoicePromptText(int position, Language lang);
std::string OffOnText(int position, Language lang);

}  // namespace kv3
