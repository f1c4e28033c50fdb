// Channel lists as other tools and spreadsheets write them: by header name,
// with quoting, Windows line ends, duplex offsets and cross tones.
#include "interchange/channel_csv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/band_rules.h"
#include "editor/demo.h"
#include "interchange/csv_table.h"

namespace kv3 {
namespace {

const char kHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\r\n";

uint32_t Units(const Freq4& f) {
  return static_cast<uint32_t>(Freq4ToUnits(f));
}

TEST(ChannelCsv, FullRowsOfTheUsualShape) {
  std::string csv =
      std::string(kHeader) +
      "1,Simplex,438.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,High,\r\n"
      "2,Repeater,439.125000,-,7.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,NFM,12.50,S,Low,\r\n"
      "3,Split,435.000000,split,445.000000,TSQL,88.5,123.0,023,NN,023,Tone->Tone,FM,5.00,,High,\r\n"
      "4,RxOnly,436.000000,off,0.000000,DTCS,88.5,88.5,754,NR,023,Tone->Tone,FM,5.00,,High,\r\n"
      "5,Cross,437.000000,+,1.000000,Cross,67.0,88.5,025,RN,131,Tone->DTCS,FM,5.00,,High,\r\n";
  EditorState state = StartupState();
  CsvImportReport r = ImportChannelsCsv(csv, state, false);
  ASSERT_TRUE(r.changed) << (r.problems.empty() ? r.fatal : r.problems[0].reason);
  EXPECT_EQ(r.rowsAccepted, 5);
  const auto& ch = state.grid.channels;

  EXPECT_EQ(Units(ch[0].rx), 43812500u);
  EXPECT_EQ(ch[0].tx, ch[0].rx);
  EXPECT_EQ(ch[0].rxTone, Tone::Off());
  EXPECT_EQ(ch[0].txTone, Tone::Off());
  EXPECT_EQ(ch[0].power, 1);
  EXPECT_EQ(ch[0].bandwidth, 1);
  EXPECT_EQ(ch[0].scan, 1);

  EXPECT_EQ(Units(ch[1].tx), 43152500u);  // 439.125 - 7.6
  EXPECT_EQ(ch[1].txTone, Tone::Ctcss(1000));
  EXPECT_EQ(ch[1].rxTone, Tone::Off());
  EXPECT_EQ(ch[1].bandwidth, 0);
  EXPECT_EQ(ch[1].scan, 0);
  EXPECT_EQ(ch[1].power, 0);

  EXPECT_EQ(Units(ch[2].tx), 44500000u);  // split: Offset is the transmit frequency
  EXPECT_EQ(ch[2].rxTone, Tone::Ctcss(1230));
  EXPECT_EQ(ch[2].txTone, Tone::Ctcss(1230));

  EXPECT_TRUE(ch[3].tx.blank());
  EXPECT_EQ(ch[3].txTone, Tone::Dcs(0754, false));  // N for transmit
  EXPECT_EQ(ch[3].rxTone, Tone::Dcs(0754, true));   // R for receive

  EXPECT_EQ(Units(ch[4].tx), 43800000u);
  EXPECT_EQ(ch[4].txTone, Tone::Ctcss(670));        // a transmit Tone is rToneFreq
  EXPECT_EQ(ch[4].rxTone, Tone::Dcs(0131, false));  // a receive DTCS is RxDtcsCode

  for (int n = 5; n < kChannelCount; ++n) EXPECT_TRUE(ch[n].empty());
  EXPECT_EQ(r.ignoredColumns, (std::vector<std::string>{"Name", "TStep"}));
}

TEST(ChannelCsv, ColumnsFoundByNameMissingOrExtra) {
  // Reordered, most columns absent, one column of another tool, LF line ends.
  std::string csv =
      "Frequency,URCALL,Location\n"
      "438.500000,CQCQCQ,7\n"
      "439.000000,,2\n";
  EditorState state = DemoState();
  CsvImportReport r = ImportChannelsCsv(csv, state, false);
  ASSERT_TRUE(r.changed);
  const auto& ch = state.grid.channels;
  EXPECT_EQ(Units(ch[6].rx), 43850000u);
  EXPECT_EQ(ch[6].tx, ch[6].rx);
  EXPECT_EQ(ch[6].rxTone, Tone::Off());
  EXPECT_EQ(ch[6].power, 1);
  EXPECT_EQ(ch[6].forbid, 0);
  EXPECT_EQ(ch[6].bandwidth, 1);
  EXPECT_EQ(ch[6].scan, 1);
  EXPECT_EQ(Units(ch[1].rx), 43900000u);
  EXPECT_TRUE(ch[0].empty());  // the file is the whole channel list
  EXPECT_EQ(r.ignoredColumns, (std::vector<std::string>{"URCALL"}));
}

TEST(ChannelCsv, QuotedFieldsAndLineNumbers) {
  std::string csv = std::string(kHeader) +
                    "1,\"Club, \"\"North\"\"\",438.125000,,0,,88.5,88.5,023,NN,023,,FM,5,,High,"
                    "\"two\r\nlines\"\r\n"
                    "\"2\",,\"999.000000\",,0,,88.5,88.5,023,NN,023,,FM,5,,High,\r\n";
  EditorState state = StartupState();
  EditorState before = state;
  CsvImportReport r = ImportChannelsCsv(csv, state, false);
  EXPECT_FALSE(r.changed);
  EXPECT_EQ(state, before);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].line, 4);  // the quoted comment spans lines 2 and 3
  EXPECT_EQ(r.problems[0].column, 3);
  EXPECT_EQ(r.problems[0].columnName, "Frequency");
  EXPECT_EQ(r.problems[0].value, "999.000000");

  CsvParseResult table = ParseCsv("a,\"b\n");
  EXPECT_FALSE(table.ok());
  EXPECT_EQ(table.errorLine, 1);
}

TEST(ChannelCsv, EveryRefusedValueWithLineAndColumn) {
  std::string csv =
      "Location,Frequency,Duplex,Offset,Tone,rToneFreq,DtcsCode,DtcsPolarity,Mode,Skip,Power\n"
      "1,438.125,,,,,,,FM,,High\n"       // good
      "17,438.123,,,,,,,AM,,\n"          // location, raster, mode
      "3,470.0,+,20.0,Tone,66.9,,,,,\n"  // transmit out of band, tone below the list
      "4,440.0,,,DTCS,,028,NX,,X,2W\n"   // not octal, polarity, skip
      "1,440.0,,,TSQL-R,,,,,,\n";        // location taken, unknown tone mode
  EditorState state = StartupState();
  EditorState before = state;
  CsvImportReport r = ImportChannelsCsv(csv, state, false);
  EXPECT_FALSE(r.changed);
  EXPECT_EQ(state, before);
  EXPECT_EQ(r.rowsAccepted, 1);
  EXPECT_EQ(r.rowsRefused, 4);
  std::vector<std::pair<int, std::string>> got;
  for (const auto& p : r.problems) got.emplace_back(p.line, p.columnName);
  std::vector<std::pair<int, std::string>> want = {
      {3, "Location"},     {3, "Frequency"}, {3, "Mode"}, {4, "Offset"},   {4, "rToneFreq"},
      {5, "DtcsPolarity"}, {5, "DtcsCode"},  {5, "Skip"}, {6, "Location"}, {6, "Tone"}};
  EXPECT_EQ(got, want);
  EXPECT_NE(r.problems[1].reason.find("438.12000"), std::string::npos) << r.problems[1].reason;

  // --skip-bad keeps the good row.
  r = ImportChannelsCsv(csv, state, true);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(Units(state.grid.channels[0].rx), 43812500u);
  EXPECT_TRUE(state.grid.channels[2].empty());
}

// Lists of radios that count their memories from 0: --renumber takes the
// rows as channels 1, 2, ... in file order; without it the refusal names it.
TEST(ChannelCsv, RowsRenumberedInFileOrder) {
  const std::string csv = "Location,Name,Frequency\n0,70cm Call,446.000000\n5,Repeater,438.125\n";
  EditorState state = StartupState();
  CsvImportReport r = ImportChannelsCsv(csv, state, false);
  ASSERT_FALSE(r.changed);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_NE(r.problems[0].reason.find("--renumber"), std::string::npos) << r.problems[0].reason;

  r = ImportChannelsCsv(csv, state, false, true);
  ASSERT_TRUE(r.changed);
  EXPECT_EQ(Units(state.grid.channels[0].rx), 44600000u);
  EXPECT_EQ(Units(state.grid.channels[1].rx), 43812500u);
  EXPECT_TRUE(state.grid.channels[4].empty());

  // Without a Location column, and with more rows than channels.
  std::string many = "Frequency\n";
  for (int k = 0; k < 17; ++k) many += "438.125\n";
  r = ImportChannelsCsv(many, state, false, true);
  EXPECT_FALSE(r.changed);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].line, 18);
  r = ImportChannelsCsv(many, state, true, true);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(r.rowsAccepted, 16);
}

// Found by fuzzing: a DTCS row of a list without the DtcsPolarity column
// read a polarity that was never set.
TEST(ChannelCsv, DcsWithoutAPolarityColumnIsRefused) {
  EditorState state = StartupState();
  CsvImportReport r =
      ImportChannelsCsv("Location,Frequency,Tone,DtcsCode\n1,438.125,DTCS,023\n", state, false);
  EXPECT_FALSE(r.changed);
  ASSERT_FALSE(r.problems.empty());
  EXPECT_NE(r.problems[0].reason.find("DtcsPolarity"), std::string::npos);
}

TEST(ChannelCsv, BandOfTheBaseDecides) {
  EditorState state = StartupState();
  SelectBandSilently(state.band, 5);  // 136-174MHz
  CsvImportReport r = ImportChannelsCsv("Location,Frequency\n1,145.500\n2,438.125\n", state, false);
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].line, 3);
  EXPECT_NE(r.problems[0].reason.find("136-174MHz"), std::string::npos);
}

TEST(ChannelCsv, PowerInWattsTheLargestIsHigh) {
  EditorState state = StartupState();
  CsvImportReport r = ImportChannelsCsv(
      "Location,Frequency,Power\n1,438.125,5.0W\n2,438.150,1.0W\n3,438.175,5W\n", state, false);
  ASSERT_TRUE(r.changed);
  EXPECT_EQ(state.grid.channels[0].power, 1);
  EXPECT_EQ(state.grid.channels[1].power, 0);
  EXPECT_EQ(state.grid.channels[2].power, 1);
}

TEST(ChannelCsv, ExportTakesTheSimplestToneModeAndComesBack) {
  // A channel per row, and the export column (3 Duplex, 5 Tone, 11 CrossMode)
  // that shows how it was written.
  const uint32_t f1 = 43812500, f2 = 44312500;
  const struct Row {
    uint32_t rx, tx;
    Tone rxTone, txTone;
    int column;
    const char* text;
  } rows[] = {
      {f1, f1, Tone::Off(), Tone::Off(), 5, ""},
      {f1, f1, Tone::Off(), Tone::Ctcss(885), 5, "Tone"},
      {f1, f1, Tone::Ctcss(885), Tone::Ctcss(885), 5, "TSQL"},
      {f1, f1, Tone::Dcs(023, true), Tone::Dcs(023, false), 9, "NR"},  // DTCS, polarity NR
      {f1, f1, Tone::Ctcss(885), Tone::Ctcss(1000), 11, "Tone->Tone"},
      {f1, f1, Tone::Ctcss(885), Tone::Off(), 11, "->Tone"},
      {f1, f1, Tone::Dcs(023, false), Tone::Off(), 11, "->DTCS"},
      {f1, f1, Tone::Off(), Tone::Dcs(0754, true), 11, "DTCS->"},
      {f1, f1, Tone::Dcs(025, false), Tone::Dcs(023, false), 11, "DTCS->DTCS"},
      {f1, f1, Tone::Ctcss(670), Tone::Dcs(023, false), 11, "DTCS->Tone"},
      {f1, 0, Tone::Off(), Tone::Blank(), 3, "off"},
      {f1, f2, Tone::Off(), Tone::Off(), 3, "+"},
      {f2, f1, Tone::Off(), Tone::Off(), 3, "-"},
  };
  EditorState state = StartupState();
  for (int n = 1; n <= 13; ++n) {
    const Row& r = rows[n - 1];
    Channel& c = state.grid.channels[n - 1];
    c.rx = Freq4FromUnits(r.rx);
    c.tx = r.tx ? Freq4FromUnits(r.tx) : kNoFrequency;
    c.rxTone = r.rxTone;
    c.txTone = r.txTone;
    c.power = static_cast<int8_t>(n % 2);
    c.forbid = 0;
    c.bandwidth = static_cast<int8_t>(n / 2 % 2);
    c.scan = static_cast<int8_t>(n / 4 % 2);
  }

  CsvExport out = ExportChannelsCsv(state);
  EXPECT_TRUE(out.leftOut.empty());
  CsvParseResult table = ParseCsv(out.text);
  ASSERT_TRUE(table.ok());
  ASSERT_EQ(table.records.size(), 14u);
  for (int n = 1; n <= 13; ++n)
    EXPECT_EQ(table.records[n].fields[rows[n - 1].column], rows[n - 1].text) << "channel " << n;
  EXPECT_EQ(table.records[4].fields[5], "DTCS");

  EditorState back = StartupState();
  CsvImportReport r = ImportChannelsCsv(out.text, back, false);
  ASSERT_TRUE(r.changed);
  for (int n = 0; n < kChannelCount; ++n)
    EXPECT_EQ(back.grid.channels[n], state.grid.channels[n]) << "channel " << n + 1;
}

TEST(ChannelCsv, ANonDecimalFrequencyIsLeftOutOfTheExport) {
  EditorState state = StartupState();
  state.grid.channels[0].rx = Freq4{{0x00, 0x25, 0x8A, 0x43}};
  CsvExport out = ExportChannelsCsv(state);
  EXPECT_EQ(out.leftOut, std::vector<int>{1});
}

// Damaged lists: every outcome is either a whole accepted list or no change.
TEST(ChannelCsv, DamagedFilesChangeAllOrNothing) {
  EditorState demo = DemoState();
  const std::string good = ExportChannelsCsv(demo).text;
  const char alphabet[] = ",\"\r\n.-+SRN0123456789DTCSToneFM ";
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    std::string text = good;
    int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
      size_t at = rng() % text.size();
      if (rng() % 2)
        text[at] = alphabet[rng() % (sizeof alphabet - 1)];
      else
        text.erase(at, 1 + rng() % 3);
    }
    EditorState state = demo;
    CsvImportReport r = ImportChannelsCsv(text, state, false);
    if (!r.changed) {
      ASSERT_EQ(state, demo) << text;
      continue;
    }
    for (const Channel& ch : state.grid.channels) {
      if (ch.empty()) continue;
      int64_t rx = Freq4ToUnits(ch.rx);
      ASSERT_GE(rx, 40000000) << text;
      ASSERT_LT(rx, 48000000) << text;
    }
  }
}

}  // namespace
}  // namespace kv3
