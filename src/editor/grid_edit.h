// The channel grid Grid1: which in-place editor a click opens, the list picks
// of columns 5..8, and the clearing and relabelling of the grid.
#pragma once

#include <string>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

enum class GridEditor {
  None,       // no editor (no request pending, column 0, bad cell)
  Frequency,  // Text1 over column 1 or 3
  Tone,       // Combo8 over column 2 or 4 (its list dropped down)
  Choice,     // Combo5(EditCol) over columns 5..8 (its list dropped down)
};

struct OpenEditor {
  GridEditor editor = GridEditor::None;
  int row = 0;  // the cell the editor belongs to (EditRow, EditCol)
  int col = 0;
  std::string text;       // Text1 / Combo8: the cell's text at opening
  int listPosition = -1;  // Combo5: the stored choice; Combo8: the position of
                          // the shown tone in the tone list (-1 when not in it)
};

// A left mouse press or Enter on the grid.
void RequestGridEdit(ChannelGrid& grid);

// The grid's click on cell (row 1..16, col 0..8). Only while
// GridEditRequested is set does it open an editor; a click on any column of
// an empty row opens the frequency editor of column 1. Sets EditRow and
// EditCol and clears GridEditRequested.
OpenEditor GridClick(ChannelGrid& grid, int row, int col, Language lang);

// Combo5(EditCol) click: the entry at `position` (0 or 1) goes into the cell
// and into ChannelChoice. False (nothing changed) when the editor cell is
// not a choice cell of a channel or the position is not in the list.
bool PickChoice(ChannelGrid& grid, int position);

// The choice of column 5..8 of a channel (its list position, -1 blank).
int8_t& ChoiceCell(Channel& channel, int col);
int8_t ChoiceCell(const Channel& channel, int col);

// Sets the stored choices of a channel (row 1..16) from its values, as if
// each had been picked from its list: the tones' list positions (0 for a tone
// the list does not hold) and the four per-channel choices. Used where a
// channel arrives whole from outside the grid (an imported file).
void StoreChoicesOf(ChannelGrid& grid, int row);

// ClearGrid1 (New): empties every channel; ChannelChoice is kept.
void ClearGrid1(ChannelGrid& grid);

// SetGrid1Text, after a language switch: in every channel with a receive
// frequency, a tone cell that is blank or off with stored choice 0 becomes
// off (a set tone never changes), and columns 5..8 take the entry of their
// stored choice. The texts themselves follow the language when shown.
void SetGrid1Text(ChannelGrid& grid);

}  // namespace kv3
