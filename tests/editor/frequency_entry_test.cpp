// Frequency entry, band changes and the new-channel defaults, driven through
// the grid as a user would: click a cell, type, leave the editor.
#include "editor/frequency_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/band_rules.h"
#include "editor/grid_edit.h"
#include "editor/grid_text.h"

namespace kv3 {
namespace {

class FrequencyEntry : public ::testing::Test {
 protected:
  EditorState state = StartupState();

  // Types `keys` into the editor that a click on (row, col) opens and
  // leaves it; returns the commit.
  FrequencyCommit Type(int row, int col, const std::string& keys) {
    RequestGridEdit(state.grid);
    OpenEditor open = GridClick(state.grid, row, col, Language::Simplified);
    EXPECT_EQ(open.editor, GridEditor::Frequency);
    std::string text;
    for (char c : keys) {
      KeyFilterResult k = FrequencyKeyFilter(static_cast<unsigned char>(c));
      if (k.action == KeyAction::Accept) text.push_back(static_cast<char>(k.key));
    }
    return CommitFrequency(state, text);
  }
  std::string Cell(int row, int col, Language lang = Language::Simplified) {
    return CellText(state.grid, row, col, lang);
  }
};

TEST_F(FrequencyEntry, BandEdgesOfTheFirstBand) {
  EXPECT_EQ(Type(1, 1, "400").outcome, FrequencyOutcome::NewChannel);
  EXPECT_EQ(Cell(1, 1), "400.00000");

  FrequencyCommit high = Type(2, 1, "480");
  EXPECT_EQ(high.outcome, FrequencyOutcome::OutOfBand);
  ASSERT_TRUE(high.message);
  EXPECT_STREQ(high.message.prompt->en, "Beyond the frequency range");
  EXPECT_EQ(high.message.title, nullptr);
  EXPECT_EQ(Cell(2, 1), "");

  EXPECT_EQ(Type(3, 1, "479.99999").outcome, FrequencyOutcome::NewChannel);
  EXPECT_EQ(Cell(3, 1), "479.99500");
  EXPECT_EQ(Type(4, 1, "399.99999").outcome, FrequencyOutcome::OutOfBand);
}

TEST_F(FrequencyEntry, ValueRoundingOntoTheUpperLimitIsRefused) {
  // 479.999995 is below 480 but would be stored as 480.00000.
  EXPECT_EQ(Type(1, 1, "479.999995").outcome, FrequencyOutcome::OutOfBand);
  EXPECT_EQ(Cell(1, 1), "");
  EXPECT_EQ(Type(1, 1, "479.999994").outcome, FrequencyOutcome::NewChannel);
  EXPECT_EQ(Cell(1, 1), "479.99500");
}

TEST_F(FrequencyEntry, RasterCorrection) {
  struct Case {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"435.12346", "435.12000"}, {"435.0126", "435.01250"},   {"435.1234567", "435.12000"},
      {"435.12345", "435.12000"}, {"438.125", "438.12500"},    {"438.00625", "438.00625"},
      {"435.", "435.00000"},      {"438.000049", "438.00000"}, {"438.0000050", "438.00000"},
  };
  int row = 1;
  for (const Case& c : cases) {
    ClearGrid(state.grid);
    Type(row, 1, c.typed);
    EXPECT_EQ(Cell(row, 1), c.stored) << c.typed;
  }
  SelectBandSilently(state.band, 5);
  Type(2, 1, "136.0125");
  EXPECT_EQ(Cell(2, 1), "136.01250");
}

TEST_F(FrequencyEntry, KeyFilterDropsAllButDigitsPointAndBackspace) {
  EXPECT_EQ(FrequencyKeyFilter(13).action, KeyAction::EndEdit);
  EXPECT_EQ(FrequencyKeyFilter(8).action, KeyAction::Accept);
  for (char32_t k : {U'-', U',', U'e', U'x', U' ', U'+', U'１'})
    EXPECT_EQ(FrequencyKeyFilter(k).action, KeyAction::Discard);
  Type(1, 1, "4x3-5.1 25");
  EXPECT_EQ(Cell(1, 1), "435.12500");
}

TEST_F(FrequencyEntry, NotANumberChangesNothingSilently) {
  Type(1, 1, "435.125");
  EditorState before = state;
  for (const char* text : {"1.2.3", ".", "..5"}) {
    FrequencyCommit c = Type(1, 1, text);
    EXPECT_EQ(c.outcome, FrequencyOutcome::NotANumber) << text;
    EXPECT_FALSE(c.message);
  }
  state.grid.EditRow = before.grid.EditRow;
  state.grid.EditCol = before.grid.EditCol;
  EXPECT_EQ(state, before);
}

// The Simplified texts and a later receive frequency are seen in the window tests.
TEST_F(FrequencyEntry, NewChannelDefaultsAndTheirRelabelling) {
  Type(3, 1, "438.125");
  const char* en[] = {"Off", "438.12500", "Off", "Hight", "Off", "Wide", "Have"};
  for (int col = 2; col <= 8; ++col) EXPECT_EQ(Cell(3, col, Language::English), en[col - 2]);
  const auto& choice = state.grid.ChannelChoice[2];
  for (int i : {0, 2, 4}) EXPECT_EQ(choice[i], 0) << i;
  for (int i : {3, 5, 6}) EXPECT_EQ(choice[i], 1) << i;
  Type(3, 3, "430");
  EXPECT_EQ(Cell(3, 3), "430.00000");
}

TEST_F(FrequencyEntry, EmptyingReceiveDeletesChannelEmptyingTransmitDoesNothing) {
  Type(5, 1, "438.125");
  RequestGridEdit(state.grid);
  GridClick(state.grid, 5, 5, Language::Simplified);
  ASSERT_TRUE(PickChoice(state.grid, 0));

  EditorState before = state;
  EXPECT_EQ(Type(5, 3, "").outcome, FrequencyOutcome::Unchanged);
  EXPECT_EQ(state.grid.channels, before.grid.channels);

  EXPECT_EQ(Type(5, 1, "").outcome, FrequencyOutcome::ChannelCleared);
  for (int col = 1; col <= 8; ++col) EXPECT_EQ(Cell(5, col), "") << col;
  for (int16_t c : state.grid.ChannelChoice[4]) EXPECT_EQ(c, 0);
}

// A radio may hold a channel with a receive frequency and no transmit
// frequency (or a value off the raster). Passing through its cells changes
// nothing, and a new receive frequency is no start of a new channel: only an
// empty channel gets the defaults.
TEST_F(FrequencyEntry, OnlyAnEmptyChannelGetsTheNewChannelDefaults) {
  Channel& ch = state.grid.channels[0];
  ch.rx = Freq4FromUnits(43812340);
  ch.rxTone = Tone::Ctcss(885);
  ch.txTone = Tone::Blank();
  ch.power = 0;
  ch.forbid = 1;
  ch.bandwidth = 0;
  ch.scan = 0;
  Channel expected = ch;
  const auto choices = state.grid.ChannelChoice;

  EXPECT_EQ(Type(1, 1, "438.12340").outcome, FrequencyOutcome::Unchanged);
  EXPECT_EQ(Type(1, 3, "").outcome, FrequencyOutcome::Unchanged);
  EXPECT_EQ(state.grid.channels[0], expected);

  EXPECT_EQ(Type(1, 1, "438.2").outcome, FrequencyOutcome::Stored);
  expected.rx = Freq4FromUnits(43820000);
  EXPECT_EQ(state.grid.channels[0], expected);
  EXPECT_EQ(state.grid.ChannelChoice, choices);

  Type(1, 1, "");
  EXPECT_EQ(Type(1, 1, "438.2").outcome, FrequencyOutcome::NewChannel);
  EXPECT_EQ(Cell(1, 3), "438.20000");
  EXPECT_EQ(Cell(1, 5), "高");
}

TEST(BandChange, OkClearsAllChannelsCancelRestoresTheBand) {
  EditorState state = StartupState();
  state.grid.EditRow = 1;
  state.grid.EditCol = 1;
  CommitFrequency(state, "438.125");
  state.grid.EditRow = 16;
  CommitFrequency(state, "401");
  EditorState filled = state;

  OnBandListOpened(state.band);
  EXPECT_EQ(SelectBand(state, 0), BandChange::Unchanged);
  EXPECT_EQ(state, filled);

  ASSERT_EQ(SelectBand(state, 5), BandChange::QuestionNeeded);
  EXPECT_EQ(state.band.BandLowLimit, 136);  // the limits follow at once
  AnswerBandQuestion(state, false);
  EXPECT_EQ(state.band, filled.band);
  EXPECT_EQ(state.grid, filled.grid);

  ASSERT_EQ(SelectBand(state, 6), BandChange::QuestionNeeded);
  AnswerBandQuestion(state, true);
  EXPECT_EQ(state.band.index, 6);
  EXPECT_EQ(state.band.ConfirmedBandIndex, 6);
  EXPECT_EQ(state.band.BandLowLimit, 600);
  EXPECT_EQ(state.band.BandHighLimit, 720);
  for (const Channel& ch : state.grid.channels) EXPECT_TRUE(ch == Channel{});
  for (const auto& row : state.grid.ChannelChoice)
    for (int16_t c : row) EXPECT_EQ(c, 0);

  EXPECT_EQ(SelectBand(state, 7), BandChange::Invalid);
  EXPECT_EQ(SelectBand(state, -1), BandChange::Invalid);
  EXPECT_EQ(state.band.index, 6);
}

}  // namespace
}  // namespace kv3
