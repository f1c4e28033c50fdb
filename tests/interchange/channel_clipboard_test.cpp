// The grid's clipboard: copy and paste between two windows, text from a
// spreadsheet and CSV from other tools, and a refused paste that changes
// nothing.
#include "interchange/channel_clipboard.h"

#include <gtest/gtest.h>

#include "editor/demo.h"
#include "editor/frequency_entry.h"
#include "editor/tones.h"
#include "i18n/paste_reasons.h"
#include "i18n/traditional.h"

namespace kv3 {
namespace {

std::vector<int> AllRows() {
  std::vector<int> rows;
  for (int r = 1; r <= kChannelCount; ++r) rows.push_back(r);
  return rows;
}

// Every kind of channel the export can say: split and reversed duplex, no
// transmit frequency, tones of each kind and polarity, forbid on.
EditorState Source() {
  EditorState s = DemoState();
  auto start = [&](int row, uint32_t rx) {
    s.grid.channels[row - 1].rx = Freq4FromUnits(rx);
    ApplyNewChannelDefaults(s.grid, row);
    return &s.grid.channels[row - 1];
  };
  Channel* c = start(12, 43500000);
  c->tx = Freq4FromUnits(44000000);
  c->rxTone = Tone::Dcs(0754, true);
  c->txTone = Tone::Ctcss(885);
  c->forbid = 1;
  c->power = 0;
  c = start(13, 47999500);
  c->tx = kNoFrequency;
  c->txTone = Tone::Blank();
  c->rxTone = Tone::Ctcss(1000);
  c->scan = 0;
  c->bandwidth = 0;
  c = start(14, 40001250);
  c->tx = Freq4FromUnits(40000000);
  c->rxTone = Tone::Dcs(023, false);
  c->txTone = Tone::Dcs(023, true);
  s.grid.channels[14] = Channel{};
  return s;
}

TEST(Clipboard, CopyThenPasteGivesTheSameChannels) {
  const EditorState a = Source();
  const std::vector<int> rows = AllRows();
  ChannelCopy copy = CopyChannels(a, rows);
  EXPECT_TRUE(copy.leftOut.empty());
  EXPECT_EQ(copy.tsv.substr(0, copy.tsv.find("\r\n")),
            "Location\tName\tFrequency\tDuplex\tOffset\tTone\trToneFreq\tcToneFreq\tDtcsCode\t"
            "DtcsPolarity\tRxDtcsCode\tCrossMode\tMode\tTStep\tSkip\tPower\tComment\tForbid");
  EXPECT_EQ(copy.csv.substr(0, 18), "Location,Name,Freq");

  for (const std::string& text : {copy.tsv, copy.csv}) {
    EditorState b = StartupState();
    for (int r = 1; r <= kChannelCount; ++r) {  // a window with other channels
      b.grid.channels[r - 1].rx = Freq4FromUnits(46000000);
      ApplyNewChannelDefaults(b.grid, r);
    }
    PasteResult pasted = PasteChannels(text, b, 1);
    ASSERT_TRUE(pasted.refusals.empty()) << PasteRefusalLine(pasted.refusals[0], Language::English);
    EXPECT_TRUE(pasted.changed);
    EXPECT_EQ(pasted.channels, 16);
    EXPECT_EQ(b.grid.channels, a.grid.channels);
  }

  // Three rows, one of them empty, into another place of another window.
  const int some[] = {12, 15, 13};
  EditorState b = StartupState();
  b.grid.channels[5].rx = Freq4FromUnits(46000000);
  ApplyNewChannelDefaults(b.grid, 6);
  PasteResult pasted = PasteChannels(CopyChannels(a, some).tsv, b, 5);
  ASSERT_TRUE(pasted.refusals.empty());
  EXPECT_EQ(b.grid.channels[4], a.grid.channels[11]);
  EXPECT_TRUE(b.grid.channels[5].empty());  // the empty row emptied channel 6
  EXPECT_EQ(b.grid.ChannelChoice[5], (std::array<int16_t, 10>{}));
  EXPECT_EQ(b.grid.channels[6], a.grid.channels[12]);
  EXPECT_EQ(b.grid.ChannelChoice[4][0], TonePosition(Tone::Dcs(0754, true)));
  EXPECT_EQ(b.grid.ChannelChoice[4][4], 1);  // forbid, as a pick would store it
}

TEST(Clipboard, TextAsASpreadsheetWritesIt) {
  // Columns in another order, LF line ends, trailing blank cells left out, a
  // quote inside a name, the header in other letter cases.
  EditorState s = StartupState();
  s.grid.channels[2].rx = Freq4FromUnits(43000000);
  ApplyNewChannelDefaults(s.grid, 3);
  s.grid.channels[2].forbid = 1;
  const std::string tsv =
      "frequency\tPOWER\tName\tMode\tTone\trToneFreq\n"
      "438.125\tLow\t5\" whip\tNFM\tTone\t88.5\n"
      "439.0125\t\t\t\n";
  PasteResult r = PasteChannels(tsv, s, 2);
  ASSERT_TRUE(r.refusals.empty()) << PasteRefusalLine(r.refusals[0], Language::English);
  EXPECT_EQ(r.ignoredColumns, std::vector<std::string>{"Name"});
  const Channel& a = s.grid.channels[1];
  EXPECT_EQ(FrequencyText(a.rx), "438.12500");
  EXPECT_EQ(a.tx, a.rx);
  EXPECT_EQ(a.power, 0);
  EXPECT_EQ(a.bandwidth, 0);
  EXPECT_EQ(a.txTone, Tone::Ctcss(885));
  EXPECT_EQ(a.rxTone, Tone::Off());
  const Channel& b = s.grid.channels[2];
  EXPECT_EQ(FrequencyText(b.rx), "439.01250");
  EXPECT_EQ(b.forbid, 1);  // no Forbid column: the channel it lands on keeps its own
  EXPECT_EQ(b.power, 1);
}

TEST(Clipboard, CsvOfAnotherToolWithAndWithoutItsHeader) {
  // Another tool's channel list: more columns than this radio has, the
  // channels numbered from 0.
  const std::string header =
      "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
      "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";
  const std::string rows =
      "0,RPT,446.500000,-,5.000000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,S,4.0W,,,,,\r\n"
      "1,SIMPLEX,446.006250,,0.000000,DTCS,88.5,88.5,754,RN,754,Tone->Tone,NFM,6.25,,1.0W,,,,,\r\n";
  EditorState s = StartupState();
  PasteResult r = PasteChannels(header + rows, s, 1);
  ASSERT_TRUE(r.refusals.empty()) << PasteRefusalLine(r.refusals[0], Language::English);
  EXPECT_EQ(FrequencyText(s.grid.channels[0].tx), "441.50000");
  EXPECT_EQ(s.grid.channels[0].scan, 0);
  EXPECT_EQ(s.grid.channels[0].power, 1);  // the larger of the watts is high
  EXPECT_EQ(s.grid.channels[0].rxTone, Tone::Ctcss(885));
  EXPECT_EQ(s.grid.channels[1].txTone, Tone::Dcs(0754, true));
  EXPECT_EQ(s.grid.channels[1].rxTone, Tone::Dcs(0754, false));
  EXPECT_EQ(s.grid.channels[1].power, 0);

  // The same rows without a header: the columns of a copy, in order.
  EditorState t = StartupState();
  const std::string headerless =
      "5,,438.125000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,On\r\n";
  PasteResult h = PasteChannels(headerless, t, 16);
  ASSERT_TRUE(h.refusals.empty()) << PasteRefusalLine(h.refusals[0], Language::English);
  EXPECT_EQ(FrequencyText(t.grid.channels[15].rx), "438.12500");
  EXPECT_TRUE(t.grid.channels[15].tx.blank());
  EXPECT_EQ(t.grid.channels[15].forbid, 1);
}

TEST(Clipboard, ARefusedPasteChangesNothingAndSaysWhereAndWhy) {
  const EditorState before = Source();
  EditorState s = before;
  const std::string tsv =
      "Frequency\tPower\tForbid\n"
      "438.125\tHigh\tOff\n"
      "481.000\tHigh\tOff\n"
      "438.126\tMaybe\tperhaps\n";
  PasteResult r = PasteChannels(tsv, s, 3);
  EXPECT_FALSE(r.changed);
  EXPECT_EQ(s, before);
  ASSERT_EQ(r.refusals.size(), 4u);
  EXPECT_EQ(PasteRefusalLine(r.refusals[0], Language::English),
            "Row 3, Channel 04, Frequency: 481.000: outside the band 400-480MHz");
  EXPECT_EQ(r.refusals[1].row, 4);
  EXPECT_EQ(r.refusals[1].channel, 5);
  std::vector<std::string> columns;
  for (const PasteRefusal& p : r.refusals) columns.push_back(p.column);
  EXPECT_EQ(columns, (std::vector<std::string>{"Frequency", "Forbid", "Frequency", "Power"}));
  EXPECT_EQ(PasteRefusalLine(r.refusals[0], Language::Traditional).substr(0, 19),
            "行 3, 信道 04, F");

  // Every reason in the user's language, the parts that vary kept.
  EXPECT_EQ(PasteRefusalLine(r.refusals[0], Language::Simplified),
            "行 3, 信道 04, Frequency: 481.000: 超出频段范围 400-480MHz");
  EXPECT_EQ(PasteRefusalLine(r.refusals[3], Language::Simplified),
            "行 4, 信道 05, Power: Maybe: 不是 High、Low 或以瓦为单位的数值");
  for (const PasteRefusal& p : r.refusals)
    EXPECT_EQ(PasteRefusalLine(p, Language::Traditional),
              ToTraditional(PasteRefusalLine(p, Language::Simplified)));

  // Rows past channel 16 do not fit.
  PasteResult tooMany = PasteChannels(tsv.substr(0, tsv.find("481")) + "438.125\n", s, 16);
  EXPECT_EQ(s, before);
  ASSERT_EQ(tooMany.refusals.size(), 1u);
  EXPECT_EQ(tooMany.refusals[0].row, 3);
  EXPECT_NE(tooMany.refusals[0].reason.find("channel 16 is the last"), std::string::npos);

  for (const char* bad : {"", "Frequency\n", "\"438.125\n", "Location,Name\n1,x\n"}) {
    PasteResult b = PasteChannels(bad, s, 1);
    EXPECT_FALSE(b.refusals.empty()) << bad;
    EXPECT_EQ(s, before) << bad;
  }
}

}  // namespace
}  // namespace kv3

namespace kv3 {
namespace {

TEST(Clipboard, ReasonsWithPartsThatAreReasonsAndUnknownReasons) {
  EXPECT_EQ(PasteReasonText("the transmit frequency 481.00000 is outside the band 400-480MHz",
                            Language::Simplified),
            "发射频率 481.00000：超出频段范围 400-480MHz");
  EXPECT_EQ(PasteReasonText("channel 3 is already on line 7", Language::Simplified),
            "信道 3 已在第 7 行");
  EXPECT_EQ(PasteReasonText("not FM or NFM", Language::English), "not FM or NFM");
  // A reason the table does not know stays as it is, never half translated.
  EXPECT_EQ(PasteReasonText("not FM or NFM at all", Language::Simplified), "not FM or NFM at all");
}

}  // namespace
}  // namespace kv3
