#include "editor/channel_ops.h"

#include <algorithm>
#include <numeric>

#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "editor/tone_entry.h"

namespace kv3 {

namespace {

bool ValidRow(int row) {
  return row >= 1 && row <= kChannelCount;
}

// The priority channel of the optional functions, as a channel number
// 1..16, or 0 when the text is not one (then nothing follows it).
int PriorityChannelNumber(const SharedValues& shared) {
  const std::string& text = shared.OptionText[11];
  for (int n = 1; n <= kChannelCount; ++n)
    if (text == std::to_string(n)) return n;
  return 0;
}

// Puts the channels in a new order: newOrder[p] is the position the channel
// now at p came from. The priority channel follows its channel.
void Reorder(EditorState& state, const std::array<int, kChannelCount>& newOrder) {
  ChannelGrid& grid = state.grid;
  const auto channels = grid.channels;
  const auto choices = grid.ChannelChoice;
  const int priority = PriorityChannelNumber(state.shared);
  int priorityTo = 0;
  for (int p = 0; p < kChannelCount; ++p) {
    int from = newOrder[static_cast<size_t>(p)];
    grid.channels[p] = channels[static_cast<size_t>(from)];
    grid.ChannelChoice[p] = choices[static_cast<size_t>(from)];
    if (from + 1 == priority) priorityTo = p + 1;
  }
  if (priorityTo != 0 && priorityTo != priority)
    state.shared.OptionText[11] = std::to_string(priorityTo);
}

std::array<int, kChannelCount> Identity() {
  std::array<int, kChannelCount> order{};
  std::iota(order.begin(), order.end(), 0);
  return order;
}

bool ReorderIfChanged(EditorState& state, const std::array<int, kChannelCount>& order) {
  EditorState before = state;
  Reorder(state, order);
  return !(before == state);
}

}  // namespace

bool ClearChannels(EditorState& state, std::span<const int> rows) {
  if (!std::all_of(rows.begin(), rows.end(), ValidRow)) return false;
  EditorState before = state;
  for (int row : rows) ClearNO(state.grid, row);
  return !(before == state);
}

bool ClearCells(EditorState& state, std::span<const GridCell> cells) {
  const EditorState before = state;
  const int editRow = state.grid.EditRow, editCol = state.grid.EditCol;
  std::array<bool, kChannelCount> whole{};
  for (const GridCell& cell : cells)
    if (ValidRow(cell.row) && (cell.col == 0 || cell.col == 1))
      whole[static_cast<size_t>(cell.row - 1)] = true;
  for (const GridCell& cell : cells) {
    if (!ValidRow(cell.row) || whole[static_cast<size_t>(cell.row - 1)]) continue;
    if (state.grid.channels[static_cast<size_t>(cell.row - 1)].empty()) continue;
    state.grid.EditRow = cell.row;
    state.grid.EditCol = cell.col;
    if (cell.col == 3) CommitFrequency(state, "");
    if (cell.col == 2 || cell.col == 4) PickTone(state, 0);
  }
  for (int row = 1; row <= kChannelCount; ++row)
    if (whole[static_cast<size_t>(row - 1)]) ClearNO(state.grid, row);
  state.grid.EditRow = editRow;
  state.grid.EditCol = editCol;
  return !(before == state);
}

InsertResult InsertChannel(EditorState& state, int row) {
  if (!ValidRow(row)) return InsertResult::BadRow;
  if (!state.grid.channels[kChannelCount - 1].empty()) return InsertResult::LastChannelInUse;
  // The empty channel 16 comes up to `row`, with what it holds, so that
  // removing the inserted channel gives back exactly what was there.
  std::array<int, kChannelCount> order = Identity();
  order[static_cast<size_t>(row - 1)] = kChannelCount - 1;
  for (int p = row; p < kChannelCount; ++p) order[static_cast<size_t>(p)] = p - 1;
  Reorder(state, order);
  return InsertResult::Inserted;
}

bool RemoveChannel(EditorState& state, int row) {
  if (!ValidRow(row)) return false;
  const EditorState before = state;
  std::array<int, kChannelCount> order = Identity();
  for (int p = row - 1; p < kChannelCount - 1; ++p) order[static_cast<size_t>(p)] = p + 1;
  order[kChannelCount - 1] = row - 1;
  Reorder(state, order);
  // The removed channel goes to the end and is emptied (an empty one that
  // was removed keeps what it held). A priority channel that named it names
  // the empty channel 16 then, which the problems list points out, rather
  // than some other channel that moved into its place.
  if (!state.grid.channels[kChannelCount - 1].empty()) ClearNO(state.grid, kChannelCount);
  return !(before == state);
}

bool MoveChannelUp(EditorState& state, int row) {
  if (row < 2 || row > kChannelCount) return false;
  std::array<int, kChannelCount> order = Identity();
  std::swap(order[static_cast<size_t>(row - 1)], order[static_cast<size_t>(row - 2)]);
  return ReorderIfChanged(state, order);
}

bool MoveChannelDown(EditorState& state, int row) {
  if (row < 1 || row >= kChannelCount) return false;
  return MoveChannelUp(state, row + 1);
}

bool SortByReceiveFrequency(EditorState& state) {
  // Key: 0 a decimal frequency (then its value), 1 no decimal number, 2 empty.
  auto key = [&](int p) {
    const Channel& ch = state.grid.channels[static_cast<size_t>(p)];
    if (ch.empty()) return std::pair<int, int64_t>{2, 0};
    int64_t units = Freq4ToUnits(ch.rx);
    return units < 0 ? std::pair<int, int64_t>{1, 0} : std::pair<int, int64_t>{0, units};
  };
  std::array<int, kChannelCount> order = Identity();
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
  return ReorderIfChanged(state, order);
}

namespace {

// Runs `edit` on each row as the grid's editor of column `col` of that row,
// and leaves the grid's edit state as it was.
template <typename Edit>
BulkResult EachRow(EditorState& state, std::span<const int> rows, int col, Edit edit) {
  BulkResult result;
  ChannelGrid& grid = state.grid;
  const int editRow = grid.EditRow, editCol = grid.EditCol;
  for (int row : rows) {
    if (!ValidRow(row) || grid.channels[static_cast<size_t>(row - 1)].empty()) {
      result.refusedRows.push_back(row);
      continue;
    }
    grid.EditRow = row;
    grid.EditCol = col;
    const Channel before = grid.channels[static_cast<size_t>(row - 1)];
    const auto choiceBefore = grid.ChannelChoice[static_cast<size_t>(row - 1)];
    edit();
    result.changed |= !(before == grid.channels[static_cast<size_t>(row - 1)]) ||
                      choiceBefore != grid.ChannelChoice[static_cast<size_t>(row - 1)];
  }
  grid.EditRow = editRow;
  grid.EditCol = editCol;
  return result;
}

std::u32string Utf32(std::string_view text) {
  // Tones are ASCII: any other byte is a character the filter drops.
  std::u32string out;
  for (char c : text) out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : U'\uFFFD');
  return out;
}

BulkResult RefuseAll(std::span<const int> rows) {
  BulkResult result;
  result.refusedRows.assign(rows.begin(), rows.end());
  return result;
}

}  // namespace

BulkResult SetChoiceOfRows(EditorState& state, std::span<const int> rows, int col, int position) {
  if (col < 5 || col > 8 || position < 0 || position > 1) return RefuseAll(rows);
  return EachRow(state, rows, col, [&] { PickChoice(state.grid, position); });
}

BulkResult PickToneOfRows(EditorState& state, std::span<const int> rows, int col, int position) {
  if ((col != 2 && col != 4) || position < 0 || position >= kToneListSize) return RefuseAll(rows);
  return EachRow(state, rows, col, [&] { PickTone(state, position); });
}

BulkResult TypeToneOfRows(EditorState& state, std::span<const int> rows, int col,
                          std::string_view text) {
  // The text as the tone editor's key filter lets it in ("d23n" is D23N).
  const std::string typed = FilterTypedText(Utf32(text), ToneKeyFilter);
  if ((col != 2 && col != 4) || !NormaliseToneText(typed, -1)) return RefuseAll(rows);
  return EachRow(state, rows, col, [&] { CommitTone(state, typed, -1); });
}

}  // namespace kv3
