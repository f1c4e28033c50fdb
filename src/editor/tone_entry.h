// The tone editor Combo8 of grid columns 2 and 4: key filter, list pick and
// the normalisation of a typed tone.
#pragma once

#include <optional>
#include <string_view>

#include "editor/editor_state.h"
#include "editor/frequency_entry.h"

namespace kv3 {

// Enter ends the edit; digits, backspace, ".", D, N, I are accepted, with
// d, n, i turned upper case; every other character is discarded.
KeyFilterResult ToneKeyFilter(char32_t key);

// The tone a text stands for when the editor closes with list position
// `listPosition` (-1 when the text was typed, 0 when the off entry is
// shown): a CTCSS value 67.0..254.1 (one decimal), or "D" + octal digits
// (value up to 777; a larger one becomes 777) + "N"/"I". nullopt when the
// text is neither: the cell keeps its tone.
std::optional<Tone> NormaliseToneText(std::string_view text, int listPosition);

// Combo8 loses the focus: the normalised tone goes into the cell (EditRow,
// EditCol); ChannelChoice is not changed. Returns whether the cell changed
// (a tone equal to the old one counts as unchanged).
bool CommitTone(EditorState& state, std::string_view text, int listPosition);

// Combo8 click: the entry at `position` (0..260) goes into the cell and its
// position into ChannelChoice. False (nothing changed) for a bad position
// or when the editor cell is not a tone cell.
bool PickTone(EditorState& state, int position);

}  // namespace kv3
