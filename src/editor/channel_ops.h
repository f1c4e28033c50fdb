// Operations on whole channels of the grid: clearing, inserting, removing,
// moving, sorting, and setting one column of several rows at once. A channel
// moves with everything it holds (its values and its stored choices), and
// the priority channel of the optional functions follows its channel.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"

namespace kv3 {

// Rows are grid rows 1..16 (channel numbers). Every operation returns whether
// the codeplug changed; a refused one changes nothing.

// Delete: every listed row is emptied as emptying its receive frequency
// empties it (ClearNO: all cells blank, its stored choices 0). Rows outside
// 1..16 are refused (nothing changes).
bool ClearChannels(EditorState& state, std::span<const int> rows);

// Delete on selected cells of the grid (row 1..16, column 0..8). A row
// whose channel number or receive frequency is among them is emptied as
// emptying its receive frequency empties it; a tone becomes off (the first
// entry of the tone list); a transmit frequency follows the grid's rule for
// an erased text, which keeps it. The choice columns have no empty
// entry: they stay. Cells of empty channels and bad cells are passed over.
struct GridCell {
  int row = 0;
  int col = 0;
};
bool ClearCells(EditorState& state, std::span<const GridCell> cells);

enum class InsertResult {
  Inserted,
  LastChannelInUse,  // channel 16 holds a channel: it would fall off the end
  BadRow,
};
// A new empty channel at `row`; the channels from `row` on move down one.
InsertResult InsertChannel(EditorState& state, int row);

// Removes the channel at `row`; the channels below move up one and channel 16
// becomes empty (a priority channel that named the removed one names 16). False for a bad row or
// when nothing would change (the row and all rows below it are empty).
bool RemoveChannel(EditorState& state, int row);

// Swaps the channel at `row` with the one above (below); every field of
// both is kept. False at the top (bottom) row or for a bad row.
bool MoveChannelUp(EditorState& state, int row);
bool MoveChannelDown(EditorState& state, int row);

// Sorts the channels by receive frequency, lowest first; channels whose
// receive frequency is no decimal number come next, empty channels last;
// equal keys keep their order. False when the order does not change.
bool SortByReceiveFrequency(EditorState& state);

// Several rows at once through the rules of one cell. A row whose channel
// is empty refuses (the grid opens no editor of these columns for it), and
// so does a row outside 1..16; the others are set.
struct BulkResult {
  bool changed = false;
  std::vector<int> refusedRows;
};
// Columns 5..8 (power, forbid, bandwidth, scan): list position 0 or 1, as a
// pick from the column's list. A bad column or position refuses every row.
BulkResult SetChoiceOfRows(EditorState& state, std::span<const int> rows, int col, int position);
// Columns 2 and 4: a pick of tone list entry `position` (0..260).
BulkResult PickToneOfRows(EditorState& state, std::span<const int> rows, int col, int position);
// Columns 2 and 4: a typed tone ("88.5", "d23n"), filtered and normalised as
// the tone editor does; a text it would not take refuses every row.
BulkResult TypeToneOfRows(EditorState& state, std::span<const int> rows, int col,
                          std::string_view text);

}  // namespace kv3
