#include "editor/grid_edit.h"

#include <algorithm>

#include "editor/grid_text.h"

namespace kv3 {

void RequestGridEdit(ChannelGrid& grid) {
  grid.GridEditRequested = true;
}

int8_t& ChoiceCell(Channel& channel, int col) {
  switch (col) {
    case 5:
      return channel.power;
    case 6:
      return channel.forbid;
    case 7:
      return channel.bandwidth;
    default:
      return channel.scan;
  }
}

int8_t ChoiceCell(const Channel& channel, int col) {
  return ChoiceCell(const_cast<Channel&>(channel), col);
}

OpenEditor GridClick(ChannelGrid& grid, int row, int col, Language lang) {
  OpenEditor open;
  if (!grid.GridEditRequested) return open;
  grid.GridEditRequested = false;
  if (row < 1 || row > kChannelCount || col < 0 || col > 8) return open;
  const Channel& ch = grid.channels[row - 1];
  // A channel without a receive frequency can only be started by entering it.
  if (ch.empty()) col = 1;
  grid.EditRow = row;
  grid.EditCol = col;
  open.row = row;
  open.col = col;
  if (col == 1 || col == 3) {
    open.editor = GridEditor::Frequency;
    open.text = CellText(grid, row, col, lang);
  } else if (col == 2 || col == 4) {
    open.editor = GridEditor::Tone;
    open.text = CellText(grid, row, col, lang);
    open.listPosition = TonePosition(col == 2 ? ch.rxTone : ch.txTone);
  } else if (col >= 5) {
    open.editor = GridEditor::Choice;
    open.listPosition = grid.ChannelChoice[row - 1][col - 2];
  }
  return open;
}

bool PickChoice(ChannelGrid& grid, int position) {
  int row = grid.EditRow, col = grid.EditCol;
  if (row < 1 || row > kChannelCount || col < 5 || col > 8) return false;
  if (position < 0 || position > 1) return false;
  Channel& ch = grid.channels[row - 1];
  if (ch.empty()) return false;
  ChoiceCell(ch, col) = static_cast<int8_t>(position);
  grid.ChannelChoice[row - 1][col - 2] = static_cast<int16_t>(position);
  return true;
}

void ClearGrid1(ChannelGrid& grid) {
  for (Channel& ch : grid.channels)
    if (!ch.empty()) ch = Channel{};
}

void SetGrid1Text(ChannelGrid& grid) {
  for (int n = 0; n < kChannelCount; ++n) {
    Channel& ch = grid.channels[n];
    if (ch.empty()) continue;
    const auto& choice = grid.ChannelChoice[n];
    for (int col : {2, 4}) {
      Tone& tone = col == 2 ? ch.rxTone : ch.txTone;
      if (!tone.IsSet() && choice[col - 2] == 0) tone = Tone::Off();
    }
    for (int col = 5; col <= 8; ++col) {
      int16_t c = choice[col - 2];
      if (c == 0 || c == 1) ChoiceCell(ch, col) = static_cast<int8_t>(c);
    }
  }
}

void StoreChoicesOf(ChannelGrid& grid, int row) {
  if (row < 1 || row > kChannelCount) return;
  const Channel& ch = grid.channels[row - 1];
  auto& c = grid.ChannelChoice[row - 1];
  c[0] = static_cast<int16_t>(std::max(0, TonePosition(ch.rxTone)));
  c[2] = static_cast<int16_t>(std::max(0, TonePosition(ch.txTone)));
  c[3] = ch.power;
  c[4] = ch.forbid;
  c[5] = ch.bandwidth;
  c[6] = ch.scan;
}

}  // namespace kv3
