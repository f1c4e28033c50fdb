// kv3ctl get and set KEY=VALUE as programs: every key of an exported JSON
// document through get and back through set, the refusals of the windows
// with their messages, and set --list.
#include <nlohmann/json.hpp>
#include <sstream>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/codeplug_fields.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// An exported JSON document as KEY=VALUE lines: objects by their keys,
// arrays by number from 1, channels by their channel number; texts as they
// are (the test's have no controls), other values as JSON writes them.
void Flatten(const nlohmann::ordered_json& v, const std::string& key, Lines& out) {
  if (v.is_object()) {
    for (const auto& [name, item] : v.items()) {
      if (key.empty() && (name == "format" || name == "version")) continue;
      if (!key.empty() && name == "channel") continue;
      Flatten(item, key.empty() ? name : key + "." + name, out);
    }
  } else if (v.is_array()) {
    for (size_t i = 0; i < v.size(); ++i) {
      const auto& item = v[i];
      const int number = item.is_object() && item.contains("channel") ? item["channel"].get<int>()
                                                                      : static_cast<int>(i) + 1;
      Flatten(item, key + "." + std::to_string(number), out);
    }
  } else {
    std::string text = v.is_string() ? v.get<std::string>() : v.dump();
    // get writes a backslash twice, so that \x1B can stand for a control.
    for (size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2))
      text.insert(at, 1, '\\');
    out.push_back(key + "=" + text);
  }
}

Channel MakeChannel(int64_t rx, int64_t tx, Tone rxTone, Tone txTone, int power, int forbid,
                    int bandwidth, int scan) {
  Channel ch;
  ch.rx = Freq4FromUnits(rx);
  ch.tx = Freq4FromUnits(tx);
  ch.rxTone = rxTone;
  ch.txTone = txTone;
  ch.power = static_cast<int8_t>(power);
  ch.forbid = static_cast<int8_t>(forbid);
  ch.bandwidth = static_cast<int8_t>(bandwidth);
  ch.scan = static_cast<int8_t>(scan);
  return ch;
}

// A codeplug whose every value differs from the demo's where it can, all
// of them values the windows take.
EditorState OtherThanTheDemo() {
  const EditorState demo = DemoState();
  EditorState s = StartupState();
  s.band.index = 5;  // 136-174MHz
  auto& ch = s.grid.channels;
  ch[1] = MakeChannel(14550000, 14610000, Tone::Ctcss(1273), Tone::Dcs(0754, true), 0, 1, 0, 0);
  ch[6] = MakeChannel(14400625, 14400625, Tone::Dcs(023, false), Tone::Off(), 1, 0, 1, 1);
  ch[15] = MakeChannel(17395000, 17395000, Tone::Off(), Tone::Ctcss(670), 0, 0, 0, 1);

  for (const FieldRef& f : AllFields()) {
    const FieldRow& row = *f.row;
    if (row.rule == FieldRule::Band || row.rule == FieldRule::PriorityMode ||
        row.rule == FieldRule::PriorityChannel)
      continue;
    const int held = FieldValue(demo, f);
    switch (row.entry.kind) {
      case EntryKind::List: {
        const int last = ListValue(row.entry, row.entry.count - 1);
        SetFieldValue(s, f, held == last ? ListValue(row.entry, 0) : last);
        break;
      }
      case EntryKind::CheckBox:
        SetFieldValue(s, f, held ? 0 : 1);
        break;
      case EntryKind::WholeNumber:
        SetFieldValue(s, f, held == row.entry.last - 1 ? row.entry.last : row.entry.last - 1);
        break;
      default:
        break;
    }
  }
  SetFieldValue(s, *FindField("optionalFunctions.priority"), 1);
  SetFieldValue(s, *FindField("optionalFunctions.priorityChannel"), 7);

  auto& sh = s.shared;
  sh.DtmfMemoryCodes[0] = "0123456789ABCD*#";
  sh.DtmfMemoryCodes[3] = "";
  sh.DtmfMemoryCodes[7] = "#0";
  sh.TestFrequencyTable[0] = {kNoFrequency, kNoFrequency};
  sh.TestFrequencyTable[1] = {Freq4FromUnits(14500000), Freq4FromUnits(14560000)};
  sh.TestFrequencyTable[15] = {Freq4FromUnits(44000625), Freq4FromUnits(44001250)};
  sh.EmbeddedInfoText[0] = "SITE 4 \\ \xC4\xD6 =x";  // Latin-1: a backslash, umlauts
  sh.EmbeddedInfoText[1] = "";
  sh.OptionText[15] = std::string("\x00\xFF\x01\x80 abcdef", 10);
  sh.OptionText[16] = "0123456789ABCDEF";
  sh.OptionText[17] = "z";
  return s;
}

class FieldsE2e : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    file = Path("radio.DAT");
    ASSERT_TRUE(SaveCodeplug(file, EncodeImage(DemoState())).ok());
  }

  Lines Get(const std::string& path) {
    Result r = Kv3ctl({"get", path});
    EXPECT_EQ(r.code, 0) << r.err;
    return SplitLines(r.out);
  }

  Result Set(const std::string& path, const Lines& edits, const Lines& options = {}) {
    std::vector<std::string> args{"set", path};
    args.insert(args.end(), edits.begin(), edits.end());
    args.insert(args.end(), options.begin(), options.end());
    return Kv3ctl(args);
  }

  // A refusal: exit 4, the message, and the file byte for byte as before.
  void ExpectRefused(const Lines& edits, const std::string& message, const Lines& options = {}) {
    const std::string before = ReadFile(file);
    Result r = Set(file, edits, options);
    EXPECT_EQ(r.code, 4) << edits.back() << ": " << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(file), before) << edits.back();
  }

  std::string file;
};

TEST_F(FieldsE2e, EveryKeyOfAnExportGoesThroughGetAndSet) {
  const std::string other = Path("other.DAT");
  ASSERT_TRUE(SaveCodeplug(other, EncodeImage(OtherThanTheDemo())).ok());
  for (const std::string& path : {file, other}) {
    SCOPED_TRACE(path);
    ASSERT_EQ(Kv3ctl({"export", path, "-o", path + ".json"}).code, 0);
    Lines exported;
    Flatten(nlohmann::ordered_json::parse(ReadFile(path + ".json")), "", exported);
    EXPECT_EQ(Get(path), exported);
  }

  // Every value of the other codeplug, given to the demo's file: the band
  // first (a question, answered), then every channel and field.
  const Lines demoLines = Get(file);
  const Lines otherLines = Get(other);
  ASSERT_GT(otherLines.size(), 100u);
  Result r = Set(file, otherLines, {"--tuning", "--yes"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Get(file), otherLines);
  EXPECT_EQ(ReadFile(file), ReadFile(other));

  // And back, with the demo's channels where the other has none.
  r = Set(file, demoLines, {"--tuning", "--yes"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Get(file), demoLines);
  EXPECT_EQ(ReadFile(file), ReadFile(kDemo));

  // A few keys, in the order given; every key set --list names.
  r = Kv3ctl({"get", file, "dtmf.memoryCodes.2", "band", "channels.9.power"});
  EXPECT_EQ(r.out, "dtmf.memoryCodes.2=2\nband=400-480MHz\nchannels.9.power=\n");
  const std::string list = Kv3ctl(std::vector<std::string>{"set", "--list"}).out;
  for (const std::string& line : otherLines) {
    const std::string key = line.substr(0, line.find('='));
    EXPECT_NE(("\n" + list).find("\n" + key + "  "), std::string::npos) << key;
  }
}

TEST_F(FieldsE2e, ValuesAreTakenAsTheirWindowsTakeThem) {
  Result r =
      Set(file, {"functionSettings.voicePrompt=英文", "optionalFunctions.voxDelay=1.5S",
                 "functionSettings.txTimeoutSeconds=45", "optionalFunctions.priority=1",
                 "testFrequencies.2.rx=145.0031", "testFrequencies.3.rx=440.01",
                 "testFrequencies.3.tx=", "channels.2.rxFrequency=", "embeddedInfo.2=a\\x41\\\\"});
  ASSERT_EQ(r.code, 0) << r.err;
  Result got = Kv3ctl({"get", file, "functionSettings.voicePrompt", "optionalFunctions.voxDelay",
                       "functionSettings.txTimeoutSeconds", "optionalFunctions.priorityChannel",
                       "testFrequencies.2.rx", "testFrequencies.2.tx", "testFrequencies.3.tx",
                       "channels.2.rxFrequency", "embeddedInfo.2"});
  // "固定" picks the first programmed channel; a test frequency moves down
  // onto its raster and into the transmit one; channel 2 is deleted.
  EXPECT_EQ(got.out,
            "functionSettings.voicePrompt=english\n"
            "optionalFunctions.voxDelay=3\n"
            "functionSettings.txTimeoutSeconds=45\n"
            "optionalFunctions.priorityChannel=1\n"
            "testFrequencies.2.rx=145.00000\n"
            "testFrequencies.2.tx=145.00000\n"
            "testFrequencies.3.tx=440.01000\n"
            "channels.2.rxFrequency=\n"
            "embeddedInfo.2=aA\\\\\n");
}

TEST_F(FieldsE2e, ARefusedValueChangesNothingAndSaysWhy) {
  struct Case {
    Lines edits;
    std::string message;
  };
  const Case cases[] = {
      {{"optionalFunctions.scanRxDelaySeconds=301"},
       "Scan receive delay time(S): must be a whole number of seconds from 0 to 300"},
      {{"optionalFunctions.scanTxDelaySeconds=1.5"},
       "optionalFunctions.scanTxDelaySeconds: Scan launch delay time(S): must be a whole number"},
      {{"optionalFunctions.priority=1", "optionalFunctions.priorityChannel=9"},
       "Do not choose empty channel, please choose again!"},
      {{"optionalFunctions.voxGain=11"}, "optionalFunctions.voxGain: '11' is none of 0..10"},
      {{"functionSettings.txTimeoutSeconds=20"}, "is none of 15, 30, ... 600"},
      {{"optionalFunctions.rxBlocksVox=1"}, "is not true or false"},
      {{"dtmf.memoryCodes.1=12E"}, "only 0-9, A-D, * and # are taken"},
      {{"dtmf.memoryCodes.1=12345678901234567"}, "is longer than 16 characters"},
      {{"embeddedInfo.1=" + std::string(33, 'x')}, "is longer than 32 characters"},
      {{"embeddedInfo.1=\xE4\xB8\xAD"}, "only printable Latin-1 characters"},
      {{"testFrequencies.5.tx=145"}, "give testFrequencies.5.rx first"},
      {{"testFrequencies.5.rx=99"}, "testFrequencies.5.rx: '99'"},
      {{"powerLevels.high=3"}, "give --tuning"},
      {{"carried.optionText16=FF"}, "without FF"},
      {{"channels.9.power=low"}, "channel 9 is empty: start it with channels.9.rxFrequency"},
      {{"channels.1.rxFrequency=500"}, "Beyond the frequency range"},
      {{"channels.1.scan=maybe"}, "choose false or true"},
      // All or nothing: the good edit before the refused one is not saved.
      {{"functionSettings.squelch=2", "keys.pf1=12"}, "keys.pf1: '12' is none of 0..11"},
      {{"band=136-174MHz"}, "give --yes to confirm"},
  };
  for (const Case& c : cases) ExpectRefused(c.edits, c.message);
  ExpectRefused({"powerLevels.low=256"}, "is not a whole number from 0 to 255", {"--tuning"});
  // The window's own message in the language asked for.
  ExpectRefused({"optionalFunctions.priority=1", "optionalFunctions.priorityChannel=9"},
                "不可选择空信道，请重新选择！", {"--lang", "zh-Hans"});

  // Not a key, not KEY=VALUE: a usage error before the file is read.
  for (const std::string& edit : Lines{"optionalFunctions.nothing=1", "squelch=3", "no-equals"}) {
    Result r = Set(file, {edit});
    EXPECT_EQ(r.code, 2) << edit << r.err;
  }
  EXPECT_EQ(Kv3ctl({"get", file, "dtmf.memoryCodes.9"}).code, 2);
}

}  // namespace
}  // namespace kv3::e2e
