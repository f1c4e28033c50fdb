// Whole-channel operations and the undo history, over random codeplugs: a
// channel moves with every field it holds, and the priority channel with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "editor/channel_ops.h"
#include "editor/edit_history.h"
#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "editor/grid_text.h"
#include "editor/tone_entry.h"
#include "editor/tones.h"

namespace kv3 {
namespace {

// A codeplug as a radio might hold it: some channels empty, the others with
// any tones and choices, stored choices that do not always match the cells
// (a pick that a typed tone overrode), and a fixed priority channel.
EditorState RandomState(std::mt19937& rng) {
  EditorState state = StartupState();
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int n = 0; n < kChannelCount; ++n) {
    // An empty channel keeps the choices picked before it was emptied.
    for (auto& c : state.grid.ChannelChoice[n]) c = static_cast<int16_t>(pick(261));
    if (pick(4) == 0) continue;
    Channel& ch = state.grid.channels[n];
    ch.rx = Freq4FromUnits(40000000u + static_cast<uint32_t>(pick(8000)) * 1000u);
    ch.tx = pick(5) == 0 ? kNoFrequency : Freq4FromUnits(43000000u + static_cast<uint32_t>(n));
    ch.rxTone = ToneAt(pick(kToneListSize));
    ch.txTone = ch.tx.blank() ? Tone::Blank() : ToneAt(pick(kToneListSize));
    ch.power = static_cast<int8_t>(pick(2));
    ch.forbid = static_cast<int8_t>(pick(2));
    ch.bandwidth = static_cast<int8_t>(pick(2));
    ch.scan = static_cast<int8_t>(pick(2));
  }
  // Duplicate receive frequencies, so that a sort must be stable.
  state.grid.channels[5].rx = state.grid.channels[2].rx;
  state.shared.OptionText[10] = "1";
  state.shared.OptionText[11] = std::to_string(1 + pick(kChannelCount));
  return state;
}

// A channel with everything it holds.
struct Whole {
  Channel channel;
  std::array<int16_t, 10> choice;
  friend bool operator==(const Whole&, const Whole&) = default;
};

Whole At(const EditorState& s, int row) {
  return {s.grid.channels[row - 1], s.grid.ChannelChoice[row - 1]};
}

int Priority(const EditorState& s) {
  return std::stoi(s.shared.OptionText[11]);
}

class RandomStates : public ::testing::TestWithParam<unsigned> {
 protected:
  std::mt19937 rng{GetParam()};
  EditorState state = RandomState(rng);
};

TEST_P(RandomStates, InsertThenRemoveGivesTheStateBack) {
  if (!state.grid.channels[15].empty()) {
    EditorState before = state;
    EXPECT_EQ(InsertChannel(state, 3), InsertResult::LastChannelInUse);
    EXPECT_EQ(state, before);
    ClearNO(state.grid, 16);
  }
  const EditorState before = state;
  for (int row = 1; row <= kChannelCount; ++row) {
    ASSERT_EQ(InsertChannel(state, row), InsertResult::Inserted) << row;
    EXPECT_TRUE(state.grid.channels[row - 1].empty());
    for (int r = row; r < kChannelCount; ++r) EXPECT_EQ(At(state, r + 1), At(before, r)) << r;
    if (Priority(before) >= row && Priority(before) < kChannelCount) {
      EXPECT_EQ(Priority(state), Priority(before) + 1);
    }
    RemoveChannel(state, row);
    EXPECT_EQ(state, before) << "row " << row;
  }
}

TEST_P(RandomStates, RemoveMovesTheRestUpAndEmptiesTheLast) {
  const EditorState before = state;
  const int row = 4;
  RemoveChannel(state, row);
  for (int r = row; r < kChannelCount; ++r) EXPECT_EQ(At(state, r), At(before, r + 1));
  EXPECT_TRUE(state.grid.channels[15].empty());
  if (!before.grid.channels[row - 1].empty()) {
    EXPECT_EQ(state.grid.ChannelChoice[15], (std::array<int16_t, 10>{}));
  }
  int p = Priority(before);
  EXPECT_EQ(Priority(state), p > row ? p - 1 : p == row ? 16 : p);
}

TEST_P(RandomStates, MoveUpThenDownGivesTheStateBackAndSwapsWholeChannels) {
  const EditorState before = state;
  for (int row = 2; row <= kChannelCount; ++row) {
    MoveChannelUp(state, row);
    EXPECT_EQ(At(state, row - 1), At(before, row));
    EXPECT_EQ(At(state, row), At(before, row - 1));
    int p = Priority(before);
    EXPECT_EQ(Priority(state), p == row ? row - 1 : p == row - 1 ? row : p);
    MoveChannelDown(state, row - 1);
    EXPECT_EQ(state, before) << row;
  }
  EXPECT_FALSE(MoveChannelUp(state, 1));
  EXPECT_FALSE(MoveChannelDown(state, 16));
  EXPECT_EQ(state, before);
}

TEST_P(RandomStates, SortIsAStablePermutationWithEmptyChannelsLast) {
  const EditorState before = state;
  SortByReceiveFrequency(state);
  std::vector<Whole> was, is;
  for (int r = 1; r <= kChannelCount; ++r) {
    was.push_back(At(before, r));
    is.push_back(At(state, r));
  }
  // A permutation of whole channels...
  auto byBytes = [](const Whole& a, const Whole& b) {
    return std::tie(a.channel.rx.bytes, a.choice, a.channel.tx.bytes) <
           std::tie(b.channel.rx.bytes, b.choice, b.channel.tx.bytes);
  };
  std::vector<Whole> a = was, b = is;
  std::sort(a.begin(), a.end(), byBytes);
  std::sort(b.begin(), b.end(), byBytes);
  EXPECT_EQ(a, b);
  // ...in order, empty ones last, equal frequencies in their old order.
  for (int r = 1; r < kChannelCount; ++r) {
    const Channel &x = state.grid.channels[r - 1], &y = state.grid.channels[r];
    if (x.empty()) {
      EXPECT_TRUE(y.empty()) << r;
    }
    if (!y.empty()) {
      EXPECT_LE(Freq4ToUnits(x.rx), Freq4ToUnits(y.rx)) << r;
    }
  }
  auto firstAt = [&](const EditorState& s, const Whole& w) {
    for (int r = 1; r <= kChannelCount; ++r)
      if (At(s, r) == w) return r;
    return 0;
  };
  int third = firstAt(state, At(before, 3)), sixth = firstAt(state, At(before, 6));
  EXPECT_LT(third, sixth);
  // The priority channel is the same channel as before.
  EXPECT_EQ(At(state, Priority(state)), At(before, Priority(before)));
  // Sorting again changes nothing.
  EXPECT_FALSE(SortByReceiveFrequency(state));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomStates, ::testing::Range(1u, 41u));

TEST(ChannelOps, SortPutsNonDecimalFrequenciesAfterDecimalOnes) {
  EditorState s = StartupState();
  s.grid.channels[0].rx = Freq4{{0x00, 0x00, 0x0A, 0x44}};  // "440.A0000"
  s.grid.channels[2].rx = Freq4FromUnits(43500000);
  EXPECT_TRUE(SortByReceiveFrequency(s));
  EXPECT_EQ(FrequencyText(s.grid.channels[0].rx), "435.00000");
  EXPECT_EQ(FrequencyText(s.grid.channels[1].rx), "440.A0000");
  EXPECT_TRUE(s.grid.channels[2].empty());
}

TEST(ChannelOps, ClearingAChannelIsEmptyingItsReceiveFrequency) {
  EditorState typed = StartupState(), cleared;
  for (int row : {2, 5}) {
    typed.grid.EditRow = row;
    typed.grid.EditCol = 1;
    CommitFrequency(typed, "438.125");
    typed.grid.EditCol = 5;
    PickChoice(typed.grid, 0);
  }
  cleared = typed;
  typed.grid.EditRow = 5;
  typed.grid.EditCol = 1;
  CommitFrequency(typed, "");
  const int rows[] = {5};
  EXPECT_TRUE(ClearChannels(cleared, rows));
  cleared.grid.EditRow = 5;
  cleared.grid.EditCol = 1;
  EXPECT_EQ(cleared, typed);
  EXPECT_FALSE(ClearChannels(cleared, rows));
  const int bad[] = {2, 17};
  EXPECT_FALSE(ClearChannels(cleared, bad));
  EXPECT_FALSE(cleared.grid.channels[1].empty());
}

TEST(ChannelOps, DeleteOnCellsEmptiesChannelsByTheirNumberOrReceiveFrequencyAndTonesToOff) {
  EditorState s = StartupState();
  for (int row : {1, 2, 3}) {
    s.grid.EditRow = row;
    s.grid.EditCol = 1;
    CommitFrequency(s, "438.125");
    s.grid.EditCol = 2;
    PickTone(s, 5);
    s.grid.EditCol = 4;
    PickTone(s, 7);
  }
  s.grid.EditRow = 9;
  s.grid.EditCol = 3;
  const EditorState before = s;
  const GridCell cells[] = {{1, 0}, {2, 1}, {2, 2}, {3, 2}, {3, 3}, {3, 5}, {7, 2}, {17, 1}};
  EXPECT_TRUE(ClearCells(s, cells));
  EXPECT_TRUE(s.grid.channels[0].empty());
  EXPECT_TRUE(s.grid.channels[1].empty());
  EXPECT_EQ(s.grid.ChannelChoice[1], before.grid.ChannelChoice[6]);  // ClearNO's zeros
  // Row 3 keeps its frequencies, power and TX tone; its RX tone is off.
  EXPECT_EQ(s.grid.channels[2].rx, before.grid.channels[2].rx);
  EXPECT_EQ(s.grid.channels[2].tx, before.grid.channels[2].tx);
  EXPECT_EQ(s.grid.channels[2].power, before.grid.channels[2].power);
  EXPECT_EQ(s.grid.channels[2].txTone, before.grid.channels[2].txTone);
  EXPECT_EQ(s.grid.channels[2].rxTone, Tone::Off());
  EXPECT_EQ(s.grid.ChannelChoice[2][0], 0);
  // The grid's edit cell is the user's, not the command's.
  EXPECT_EQ(s.grid.EditRow, 9);
  EXPECT_EQ(s.grid.EditCol, 3);
  EXPECT_FALSE(ClearCells(s, cells));
}

TEST(ChannelOps, PriorityOnARemovedChannelNamesTheEmptiedLastOne) {
  EditorState s = StartupState();
  s.grid.channels[3].rx = Freq4FromUnits(43500000);
  s.grid.channels[4].rx = Freq4FromUnits(43600000);
  s.shared.OptionText[11] = "4";
  RemoveChannel(s, 4);
  EXPECT_EQ(s.shared.OptionText[11], "16");  // never the channel that moved into its place
  s.shared.OptionText[11] = "x";             // not a channel number: nothing follows it
  s.grid.channels[0].rx = Freq4FromUnits(43500000);
  MoveChannelDown(s, 1);
  EXPECT_EQ(s.shared.OptionText[11], "x");
}

TEST(ChannelOps, BulkEditsGoThroughTheRulesOfOneCell) {
  EditorState s = StartupState();
  for (int row : {1, 2, 4}) {
    s.grid.EditRow = row;
    s.grid.EditCol = 1;
    CommitFrequency(s, "438.125");
  }
  s.grid.EditRow = 9;
  s.grid.EditCol = 3;
  const int rows[] = {1, 2, 3, 4};

  BulkResult power = SetChoiceOfRows(s, rows, 5, 0);
  EXPECT_TRUE(power.changed);
  EXPECT_EQ(power.refusedRows, std::vector<int>{3});  // empty: the grid opens no editor
  for (int row : {1, 2, 4}) {
    EXPECT_EQ(s.grid.channels[row - 1].power, 0);
    EXPECT_EQ(s.grid.ChannelChoice[row - 1][3], 0);
  }
  EXPECT_TRUE(s.grid.channels[2].empty());
  EXPECT_EQ(s.grid.ChannelChoice[2][3], 0);
  EXPECT_EQ(s.grid.EditRow, 9);  // the open editor's cell is left alone
  EXPECT_EQ(s.grid.EditCol, 3);
  EXPECT_FALSE(SetChoiceOfRows(s, rows, 5, 0).changed);

  // A pick stores the list position; a typed tone is normalised and leaves
  // the stored choice as it was.
  EXPECT_TRUE(PickToneOfRows(s, rows, 2, 260).changed);
  EXPECT_EQ(CellText(s.grid, 2, 2, Language::English), "D754I");
  EXPECT_EQ(s.grid.ChannelChoice[1][0], 260);
  EXPECT_TRUE(TypeToneOfRows(s, rows, 4, "d23n").changed);
  EXPECT_EQ(CellText(s.grid, 4, 4, Language::English), "D023N");
  EXPECT_EQ(s.grid.ChannelChoice[3][2], 0);

  const EditorState before = s;
  for (auto refused : {SetChoiceOfRows(s, rows, 5, 2), SetChoiceOfRows(s, rows, 4, 1),
                       PickToneOfRows(s, rows, 2, 261), TypeToneOfRows(s, rows, 2, "254.2"),
                       TypeToneOfRows(s, rows, 5, "88.5")}) {
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(refused.refusedRows.size(), 4u);
  }
  EXPECT_EQ(s, before);
}

TEST(EditHistory, NamedStepsUndoAndRedo) {
  EditorState s = StartupState();
  EditHistory history(s);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.Undo(s));

  s.grid.EditRow = 1;
  s.grid.EditCol = 1;
  CommitFrequency(s, "438.125");
  EXPECT_TRUE(history.Record(EditStep::RxFrequency, s));
  const EditorState afterTyping = s;
  const int rows[] = {1};
  SetChoiceOfRows(s, rows, 5, 0);
  EXPECT_TRUE(history.Record(EditStep::Power, s));
  const EditorState afterPower = s;
  // A step that changes nothing is not one (leaving a cell unchanged, or
  // only the edit state or the maintenance unlock moved).
  s.grid.EditRow = 7;
  s.shared.TuningUnlocked = 1;
  EXPECT_FALSE(history.Record(EditStep::TxFrequency, s));
  EXPECT_EQ(history.UndoStep(), EditStep::Power);
  EXPECT_EQ(UndoText(*history.UndoStep(), false, Language::English), "Undo Power");

  EXPECT_TRUE(history.Undo(s));
  EXPECT_TRUE(SameCodeplug(s, afterTyping));
  EXPECT_EQ(s.grid.EditRow, 7);  // the window's own state stays
  EXPECT_EQ(s.shared.TuningUnlocked, 1);
  EXPECT_EQ(history.RedoStep(), EditStep::Power);
  EXPECT_EQ(UndoText(*history.RedoStep(), true, Language::Traditional), "重做 功率");
  EXPECT_TRUE(history.Undo(s));
  EXPECT_TRUE(SameCodeplug(s, StartupState()));
  EXPECT_FALSE(history.Undo(s));
  EXPECT_TRUE(history.Redo(s));
  EXPECT_TRUE(history.Redo(s));
  EXPECT_TRUE(SameCodeplug(s, afterPower));
  EXPECT_FALSE(history.Redo(s));

  // A new step after an undo drops what was undone.
  history.Undo(s);
  MoveChannelDown(s, 1);
  EXPECT_TRUE(history.Record(EditStep::MoveDown, s));
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.size(), 3u);
}

TEST(EditHistory, AReadThatReplacedUnsavedEditsCanBeUndone) {
  EditorState s = StartupState();
  EditHistory history(s);
  s.grid.EditRow = 3;
  s.grid.EditCol = 1;
  CommitFrequency(s, "450.000");
  history.Record(EditStep::RxFrequency, s);
  EXPECT_FALSE(history.IsClean(s));
  const EditorState edited = s;

  EditorState read = StartupState();
  read.grid.channels[0].rx = Freq4FromUnits(40000000);
  ApplyNewChannelDefaults(read.grid, 1);
  read.band.index = read.band.ConfirmedBandIndex = 2;
  s = read;
  history.Record(EditStep::Read, s);
  history.MarkClean(s);
  EXPECT_TRUE(history.IsClean(s));
  EXPECT_EQ(UndoText(*history.UndoStep(), false, Language::Simplified), "撤销 读频");
  EXPECT_EQ(UndoText(*history.UndoStep(), false, Language::English), "Undo Read Frequency");

  history.Undo(s);
  EXPECT_TRUE(SameCodeplug(s, edited));
  EXPECT_FALSE(history.IsClean(s));  // the radio holds what was read
  history.Redo(s);
  EXPECT_TRUE(history.IsClean(s));
  // Editing back to the clean state is clean again, whatever the steps.
  s.grid.EditRow = 1;
  s.grid.EditCol = 5;
  PickChoice(s.grid, 0);
  history.Record(EditStep::Power, s);
  EXPECT_FALSE(history.IsClean(s));
  PickChoice(s.grid, 1);
  history.Record(EditStep::Power, s);
  EXPECT_TRUE(history.IsClean(s));
}

TEST(EditHistory, EveryStepHasANameInEveryLanguage) {
  for (int i = 0; i < kEditStepCount; ++i) {
    Text2 name = EditStepName(static_cast<EditStep>(i));
    EXPECT_FALSE(std::string(name.zh).empty());
    EXPECT_FALSE(std::string(name.en).empty());
    for (int j = 0; j < i; ++j)
      EXPECT_NE(std::string(EditStepName(static_cast<EditStep>(j)).en), name.en);
  }
}

}  // namespace
}  // namespace kv3
