// The difference of two codeplugs in the words of the windows.
#include "interchange/codeplug_diff.h"

#include <gtest/gtest.h>

#include <functional>

#include "editor/demo.h"

namespace kv3 {
namespace {

struct Change {
  const char* name;
  std::function<void(EditorState&)> apply;
  const char* section;
  const char* field;
};

TEST(CodeplugDiff, OneFieldOfEachKind) {
  const EditorState a = DemoState();
  std::vector<Change> changes = {
      {"rx frequency", [](EditorState& s) { s.grid.channels[2].rx = Freq4FromUnits(43912500); },
       "channels", "rxFrequency"},
      {"tx tone", [](EditorState& s) { s.grid.channels[0].txTone = Tone::Ctcss(885); }, "channels",
       "txTone"},
      {"power", [](EditorState& s) { s.grid.channels[0].power = 0; }, "channels", "power"},
      {"scan", [](EditorState& s) { s.grid.channels[0].scan = 0; }, "channels", "scan"},
      {"band", [](EditorState& s) { s.band.index = 1; }, "band", "band"},
      {"squelch", [](EditorState& s) { s.settings.squelch = 3; }, "functionSettings", "squelch"},
      {"vox gain", [](EditorState& s) { s.shared.OptionText[6] = "7"; }, "optionalFunctions",
       "voxGain"},
      {"dtmf code", [](EditorState& s) { s.shared.DtmfMemoryCodes[4] = "1234"; }, "dtmf",
       "autoDial5"},
      {"dtmf rate", [](EditorState& s) { s.shared.OptionIndex[0] = 2; }, "dtmf", "dtmfRate"},
      {"pf2", [](EditorState& s) { s.shared.Pf2KeyFunction = 6; }, "keys", "pf2"},
      {"power level", [](EditorState& s) { s.shared.TxPowerLowLevel = 90; }, "powerLevels",
       "txPowerLow"},
      {"test frequency",
       [](EditorState& s) { s.shared.TestFrequencyTable[3][1] = Freq4FromUnits(44000000); },
       "testFrequencies", "test04.tx"},
      {"embedded", [](EditorState& s) { s.shared.EmbeddedInfoText[1] = "X"; }, "embeddedInfo",
       "line2"},
      {"carried", [](EditorState& s) { s.shared.OptionText[17] = "3"; }, "carried", "optionText17"},
  };
  EXPECT_TRUE(DiffCodeplugs(a, a, Language::English).empty());
  for (const Change& c : changes) {
    EditorState b = a;
    c.apply(b);
    std::vector<FieldDifference> d = DiffCodeplugs(a, b, Language::English);
    ASSERT_EQ(d.size(), 1u) << c.name;
    EXPECT_EQ(d[0].section, c.section) << c.name;
    EXPECT_EQ(d[0].field, c.field) << c.name;
    EXPECT_NE(d[0].before, d[0].after) << c.name;
  }
}

TEST(CodeplugDiff, LinesInTheWordsOfTheWindows) {
  EditorState a = DemoState(), b = DemoState();
  b.grid.channels[2].rx = Freq4FromUnits(43912500);
  b.settings.squelch = 3;
  b.grid.channels[7] = b.grid.channels[0];
  std::vector<FieldDifference> d = DiffCodeplugs(a, b, Language::English);
  ASSERT_GE(d.size(), 3u);
  EXPECT_EQ(DifferenceLine(d[0], Language::English),
            "channel 3: RX frequency 439.00000 \u2192 439.12500");
  EXPECT_EQ(DifferenceLine(d[1], Language::English),
            "channel 8: RX frequency (empty) \u2192 438.12500");
  EXPECT_EQ(DifferenceLine(d.back(), Language::English), "Squelch Grade: 5 Group \u2192 3 Group");

  d = DiffCodeplugs(a, b, Language::Simplified);
  EXPECT_EQ(DifferenceLine(d[0], Language::Simplified),
            "信道 3: 接收频率 439.00000 \u2192 439.12500");
}

// A radio's text is shown escaped (a control character or a backslash of
// its own can be told apart); the windows' captions are shown as they are.
TEST(CodeplugDiff, OnlyTheValuesAreEscaped) {
  EditorState a = DemoState(), b = DemoState();
  b.grid.channels[0].bandwidth = static_cast<int8_t>(1 - a.grid.channels[0].bandwidth);
  b.shared.EmbeddedInfoText[1] = "A\\B\x1b";
  const std::vector<std::string> lines = DifferenceLines(a, b, Language::Simplified);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("信道 1: 宽\\窄带 ", 0), 0u) << lines[0];
  EXPECT_NE(lines[1].find("\u2192 A\\\\B\\x1B"), std::string::npos) << lines[1];
}

TEST(CodeplugDiff, InvisibleDifferencesFallBackToImageBytes) {
  EditorState a = StartupState(), b = StartupState();
  // Neither position is an entry of the time-out list, so the window shows
  // nothing for both; the image still holds 0 and 41.
  a.settings.txTimeout = -1;
  b.settings.txTimeout = 40;
  std::vector<FieldDifference> d = DiffCodeplugs(a, b, Language::English);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].section, "image");
  EXPECT_EQ(DifferenceLine(d[0], Language::English), "image address 304 00 \u2192 29");
}

}  // namespace
}  // namespace kv3
