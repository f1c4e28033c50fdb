// Tone entry, the grid's editors and picks, the relabelling after a
// language switch, and the function settings lists.
#include <gtest/gtest.h>

#include <string>

#include "codeplug/codec.h"
#include "editor/frequency_entry.h"
#include "editor/grid_edit.h"
#include "editor/grid_text.h"
#include "editor/settings_lists.h"
#include "editor/tone_entry.h"

namespace kv3 {
namespace {

class Grid : public ::testing::Test {
 protected:
  Grid() {
    state.grid.EditRow = 1;
    state.grid.EditCol = 1;
    CommitFrequency(state, "438.125");
  }
  OpenEditor Click(int row, int col, Language lang = Language::Simplified) {
    RequestGridEdit(state.grid);
    return GridClick(state.grid, row, col, lang);
  }
  // Types into the tone editor of (row, col) and leaves it.
  bool TypeTone(int row, int col, const std::string& keys) {
    EXPECT_EQ(Click(row, col).editor, GridEditor::Tone);
    std::string text;
    for (char c : keys) {
      KeyFilterResult k = ToneKeyFilter(static_cast<unsigned char>(c));
      if (k.action == KeyAction::Accept) text.push_back(static_cast<char>(k.key));
    }
    return CommitTone(state, text, -1);
  }
  std::string Cell(int row, int col, Language lang = Language::Simplified) {
    return CellText(state.grid, row, col, lang);
  }
  EditorState state = StartupState();
};

TEST_F(Grid, TypedTonesAreNormalised) {
  struct Case {
    const char* typed;
    const char* cell;
  } accepted[] = {
      {"d23n", "D023N"},  {"67", "67.0"},     {"254.1", "254.1"},  {"100", "100.0"},
      {"88.5", "88.5"},   {"D027N", "D027N"}, {"D0023N", "D023N"}, {"D1000I", "D777I"},
      {"D777I", "D777I"}, {"88.45", "88.5"},  {"88.44", "88.4"},   {"88.5N", "88.5"},
  };
  for (const Case& c : accepted) {
    TypeTone(1, 2, c.typed);
    EXPECT_EQ(Cell(1, 2), c.cell) << c.typed;
  }
}

TEST_F(Grid, RefusedTonesKeepTheCell) {
  TypeTone(1, 4, "D754I");
  for (const char* typed :
       {"254.2", "66.9", "254.11", "", "D23", "DN", "D8I", "D999N", "D028N", "D2.3N", "N23", "x"}) {
    EXPECT_FALSE(TypeTone(1, 4, typed)) << typed;
    EXPECT_EQ(Cell(1, 4), "D754I") << typed;
  }
  // The off entry shown unchanged is no code either.
  Click(1, 4);
  EXPECT_FALSE(CommitTone(state, "关闭", 0));
}

TEST_F(Grid, TypedDcsCodeSurvivesTheImage) {
  TypeTone(1, 2, "D754N");
  TypeTone(1, 4, "D0023I");
  MemoryImage image = EncodeImage(state);
  EditorState back = StartupState();
  ASSERT_TRUE(DecodeImage(std::span<const uint8_t>(image), back));
  EXPECT_EQ(CellText(back.grid, 1, 2, Language::English), "D754N");
  EXPECT_EQ(CellText(back.grid, 1, 4, Language::English), "D023I");
}

TEST_F(Grid, ListPickStoresToneAndPosition) {
  OpenEditor open = Click(1, 4);
  EXPECT_EQ(open.text, "关闭");
  EXPECT_EQ(open.listPosition, 0);
  ASSERT_TRUE(PickTone(state, 260));
  EXPECT_EQ(Cell(1, 4), "D754I");
  EXPECT_EQ(state.grid.ChannelChoice[0][2], 260);
  // A typed tone keeps the stored position.
  TypeTone(1, 4, "88.5");
  EXPECT_EQ(state.grid.ChannelChoice[0][2], 260);
  EXPECT_FALSE(PickTone(state, 261));
  Click(1, 5);
  EXPECT_FALSE(PickTone(state, 3));  // not a tone cell
}

TEST_F(Grid, ClickOnAnEmptyRowOpensItsReceiveFrequency) {
  OpenEditor open = Click(2, 5);
  EXPECT_EQ(open.editor, GridEditor::Frequency);
  EXPECT_EQ(open.row, 2);
  EXPECT_EQ(open.col, 1);
  EXPECT_EQ(state.grid.EditCol, 1);
  EXPECT_FALSE(state.grid.GridEditRequested);

  // Without a press or Enter the click opens nothing.
  EXPECT_EQ(GridClick(state.grid, 1, 3, Language::Simplified).editor, GridEditor::None);
  EXPECT_EQ(Click(1, 3).text, "438.12500");
  EXPECT_EQ(Click(1, 0).editor, GridEditor::None);
}

TEST_F(Grid, NewKeepsChoicesAndAStartedChannelGetsDefaults) {
  Click(1, 7);
  PickChoice(state.grid, 0);
  ClearGrid1(state.grid);
  EXPECT_TRUE(state.grid.channels[0].empty());
  EXPECT_EQ(state.grid.ChannelChoice[0][5], 0);
  state.grid.EditRow = 1;
  state.grid.EditCol = 1;
  CommitFrequency(state, "438.125");
  EXPECT_EQ(Cell(1, 7), "宽带");
  EXPECT_EQ(state.grid.ChannelChoice[0][5], 1);
}

TEST_F(Grid, RelabellingTurnsOnlyOffTonesOff) {
  TypeTone(1, 2, "88.5");  // typed over the off tone: stored choice still 0
  SetGrid1Text(state.grid);
  EXPECT_EQ(Cell(1, 2, Language::English), "88.5");
  EXPECT_EQ(Cell(1, 4, Language::English), "Off");

  // A decoded channel without a transmit frequency: a blank tone cell with
  // choice 0 becomes off; columns 5..8 follow their choices.
  Channel& ch = state.grid.channels[1];
  ch.rx = Freq4FromUnits(44000000);
  ch.rxTone = Tone::Off();
  state.grid.ChannelChoice[1] = {0, 0, 0, 1, 1, 0, 0};
  SetGrid1Text(state.grid);
  EXPECT_EQ(Cell(2, 4, Language::English), "Off");
  EXPECT_EQ(Cell(2, 5, Language::English), "Hight");
  EXPECT_EQ(Cell(2, 6, Language::English), "Carrow");
  EXPECT_EQ(Cell(2, 7, Language::English), "Narrow");
  // Empty rows stay empty.
  EXPECT_EQ(Cell(3, 2), "");
  EXPECT_EQ(Cell(3, 5), "");
}

TEST(SettingsLists, TimeOutStoresPositionPlusOneAndRefusesPastTheList) {
  FunctionSettings s = StartupState().settings;
  ASSERT_TRUE(SelectSetting(s, SettingsList::Combo3, 39));
  EXPECT_EQ(StoredSettingValue(SettingsList::Combo3, s.txTimeout), 40);
  EXPECT_FALSE(SelectSetting(s, SettingsList::Combo3, 40));
  EXPECT_EQ(s.txTimeout, 39);
  EXPECT_EQ(SettingsEntry(SettingsList::Combo9, 10, Language::English), "");
}

}  // namespace
}  // namespace kv3
