// The problems list: each rule with a codeplug that has the problem and one
// that does not, where it points to, and its texts.
#include "dialogs/problems.h"

#include <gtest/gtest.h>

#include <functional>

#include "codeplug/codec.h"
#include "editor/frequency_entry.h"
#include "editor/tones.h"

namespace kv3 {
namespace {

// Channels 1 and 2 started as the grid starts them, in band 400-480MHz.
EditorState Clean() {
  EditorState s = StartupState();
  s.grid.channels[0].rx = Freq4FromUnits(43812500);
  ApplyNewChannelDefaults(s.grid, 1);
  s.grid.channels[1].rx = Freq4FromUnits(44000000);
  ApplyNewChannelDefaults(s.grid, 2);
  s.shared.TestFrequencyTable[0] = {Freq4FromUnits(15000000), Freq4FromUnits(15000000)};
  return s;
}

TEST(Problems, EachRuleWithACodeplugThatHasItAndOneThatDoesNot) {
  struct Rule {
    const char* name;
    std::function<void(EditorState&)> has;    // breaks the clean codeplug
    std::function<void(EditorState&)> hasNt;  // a near miss that is fine
    Problem expected;
  } rules[] = {
      {"out of band",
       [](EditorState& s) { s.grid.channels[1].tx = Freq4FromUnits(48000000); },
       [](EditorState& s) { s.grid.channels[1].tx = Freq4FromUnits(47999500); },
       {ProblemKind::OutOfBand, ProblemPlace::Grid, ProblemField::TxFrequency, 2, 3, 0,
        "480.00000"}},
      {"off raster",
       [](EditorState& s) { s.grid.channels[0].rx = Freq4FromUnits(43812600); },
       [](EditorState& s) { s.grid.channels[0].rx = Freq4FromUnits(43801250); },
       {ProblemKind::OffRaster, ProblemPlace::Grid, ProblemField::RxFrequency, 1, 1, 0,
        "438.12600"}},
      {"not decimal",
       [](EditorState& s) { s.grid.channels[0].rx.bytes[1] = 0x2B; },
       [](EditorState& s) { s.grid.channels[0].rx.bytes[1] = 0x25; },
       {ProblemKind::NotDecimal, ProblemPlace::Grid, ProblemField::RxFrequency, 1, 1, 0,
        "438.12B00"}},
      {"tone out of range",
       [](EditorState& s) { s.grid.channels[1].rxTone = Tone::Ctcss(669); },
       [](EditorState& s) { s.grid.channels[1].rxTone = Tone::Ctcss(670); },
       {ProblemKind::ToneOutOfRange, ProblemPlace::Grid, ProblemField::RxTone, 2, 2, 0, "66.9"}},
      {"tone not in the list",
       [](EditorState& s) { s.grid.channels[0].txTone = Tone::Dcs(024, true); },
       [](EditorState& s) { s.grid.channels[0].txTone = Tone::Dcs(023, true); },
       {ProblemKind::ToneNotInList, ProblemPlace::Grid, ProblemField::TxTone, 1, 4, 0, "D024I"}},
      {"empty priority channel",
       [](EditorState& s) {
         s.shared.OptionText[10] = "1";
         s.shared.OptionText[11] = "3";
       },
       [](EditorState& s) {
         s.shared.OptionText[10] = "1";
         s.shared.OptionText[11] = "2";
       },
       {ProblemKind::PriorityEmpty, ProblemPlace::OptionalFunctions, ProblemField::PriorityChannel,
        0, 0, 0, "3"}},
      {"same frequency and tones",
       [](EditorState& s) { s.grid.channels[1].rx = s.grid.channels[0].rx; },
       [](EditorState& s) {
         s.grid.channels[1].rx = s.grid.channels[0].rx;
         s.grid.channels[1].txTone = Tone::Ctcss(885);
       },
       {ProblemKind::Duplicate, ProblemPlace::Grid, ProblemField::RxFrequency, 2, 1, 1,
        "438.12500"}},
      {"test frequency range",
       [](EditorState& s) { s.shared.TestFrequencyTable[0][1] = Freq4FromUnits(9999999); },
       [](EditorState& s) { s.shared.TestFrequencyTable[0][1] = Freq4FromUnits(99999999); },
       {ProblemKind::TestFrequencyRange, ProblemPlace::TestFrequencies, ProblemField::TxFrequency,
        1, 2, 0, "099.99999"}},
  };
  ASSERT_TRUE(ListProblems(Clean()).empty());
  for (const Rule& rule : rules) {
    EditorState has = Clean(), hasNt = Clean();
    rule.has(has);
    rule.hasNt(hasNt);
    EXPECT_EQ(ListProblems(has), std::vector<Problem>{rule.expected}) << rule.name;
    EXPECT_TRUE(ListProblems(hasNt).empty()) << rule.name;
  }
}

TEST(Problems, ATestFrequencyWithHexLettersAndAnOutOfBandChannelAfterABandChange) {
  EditorState s = Clean();
  s.shared.TestFrequencyTable[4][0] = Freq4{{0x00, 0x00, 0x00, 0x1C}};
  s.band.index = s.band.ConfirmedBandIndex = 5;  // 136-174MHz, as a decoded band code sets it
  s.band.BandLowLimit = 136;
  s.band.BandHighLimit = 174;
  std::vector<Problem> list = ListProblems(s);
  ASSERT_EQ(list.size(), 5u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list[i].kind, ProblemKind::OutOfBand);
    EXPECT_EQ(list[i].row, 1 + i / 2);
    EXPECT_EQ(list[i].column, i % 2 ? 3 : 1);
  }
  EXPECT_EQ(list[4].kind, ProblemKind::NotDecimal);
  EXPECT_EQ(list[4].place, ProblemPlace::TestFrequencies);
  EXPECT_EQ(list[4].row, 5);
  EXPECT_EQ(list[4].column, 1);
  EXPECT_EQ(list[4].value, "1C0.00000");
}

TEST(Problems, ADcsWordThatIsNoOctalCodeIsFoundInTheImage) {
  EditorState s = Clean();
  MemoryImage image = EncodeImage(s);
  const size_t rxTone = At(addr::kChannels + 8);  // channel 1
  image[rxTone] = 0x13;
  image[rxTone + 1] = 0x2C;  // 0x2C13: after the 2 neither 8 nor 9
  EditorState decoded = StartupState();
  ASSERT_TRUE(DecodeImage(image, decoded));
  std::vector<Problem> list = ListProblems(decoded, image);
  ASSERT_EQ(list.size(), 1u) << ProblemLine(list.back(), Language::English);
  EXPECT_EQ(list[0].kind, ProblemKind::DcsNotOctal);
  EXPECT_EQ(list[0].row, 1);
  EXPECT_EQ(list[0].column, 2);
  EXPECT_EQ(list[0].value, "2C13");
  // Well-formed words of both polarities are no problem.
  image[rxTone + 1] = 0xA9;
  EXPECT_TRUE(ListImageProblems(image).empty());
  EXPECT_TRUE(ListImageProblems(std::span<const uint8_t>(image.data(), 10)).empty());
}

TEST(Problems, LinesNameThePlaceAndTheFieldInEachLanguage) {
  EditorState s = Clean();
  s.grid.channels[2].rx = Freq4FromUnits(48100000);
  s.grid.channels[2].tx = kNoFrequency;
  s.grid.channels[3].rx = s.grid.channels[0].rx;
  s.grid.channels[3].rxTone = s.grid.channels[3].txTone = Tone::Off();
  s.shared.OptionText[10] = "1";
  s.shared.OptionText[11] = "9";
  std::vector<Problem> list = ListProblems(s);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(ProblemLine(list[0], Language::English),
            "Channel 03, RX frequency: 481.00000: Beyond the frequency range");
  EXPECT_EQ(ProblemLine(list[0], Language::Simplified),
            "信道 03, 接收频率: 481.00000: 超出频段范围");
  EXPECT_EQ(ProblemLine(list[1], Language::English),
            "Channel 04, RX frequency: 438.12500: Same receive frequency and tones as channel 01");
  EXPECT_EQ(ProblemLine(list[2], Language::Traditional), "可選功能, 優先信道: 9: 優先信道是空信道");
  EXPECT_STREQ(ProblemKindId(list[2].kind), "priorityEmpty");
  EXPECT_STREQ(ProblemPlaceId(list[2].place), "optionalFunctions");
  EXPECT_STREQ(ProblemFieldId(list[2].field), "priorityChannel");
}

}  // namespace
}  // namespace kv3
