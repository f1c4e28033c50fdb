// kv3ctl set as a program: edits on a codeplug file, refusals that leave the
// file untouched, and the band question on a pipe and on a terminal.
#include <sstream>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/editor_state.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

class SetCommand : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    file = Path("radio.DAT");
    ASSERT_EQ(Kv3ctl({"new", "-o", file}).code, 0);
    ASSERT_EQ(Kv3ctl({"set", file, "--channel", "1", "--rx", "438.125"}).code, 0);
  }

  // The grid row of a channel as `show` prints it, blanks squeezed.
  std::string Row(int channel, const std::string& lang = "en") {
    std::istringstream lines(Kv3ctl({"show", file, "--lang", lang}).out);
    std::string line;
    for (int i = 0; i <= channel && std::getline(lines, line);) ++i;
    std::string squeezed;
    for (char c : line)
      if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed.push_back(c);
    return squeezed;
  }
  // A refusal: exit 4, the message, and the file byte for byte as before.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
    std::string before = ReadFile(file);
    std::vector<std::string> full{"set", file};
    full.insert(full.end(), args.begin(), args.end());
    Result r = Kv3ctl(full);
    EXPECT_EQ(r.code, 4) << args[0] << " " << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(file), before);
  }

  std::string file;
};

TEST_F(SetCommand, EditsAChannelAsTypedIntoTheGrid) {
  Result r = Kv3ctl({"set", file, "--channel", "3", "--rx", "435.12346", "--rx-tone", "d23n",
                     "--power", "low", "--tx-tone", "67"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Row(3), "03 435.12000 D023N 435.12000 67.0 Low Off Wide Have");

  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "3", "--rx", "479.99999", "--forbid", "carrier",
                    "--bandwidth", "narrow", "--scan", "no", "--tx-tone", "Off"})
                .code,
            0);
  EXPECT_EQ(Row(3), "03 479.99500 D023N 435.12000 Off Low Carrow Narrow No");
  EXPECT_EQ(Row(3, "zh-Hant"), "03 479.99500 D023N 435.12000 關閉 低 載波 窄帶 無");

  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "3", "--clear"}).code, 0);
  EXPECT_EQ(Row(3), "03");
}

// A radio may hold a channel with a receive frequency and no transmit
// frequency: giving its receive frequency again leaves it as it is, and a
// new one changes that frequency alone.
TEST_F(SetCommand, AReceiveOnlyChannelKeepsItsValues) {
  EditorState state = StartupState();
  Channel& ch = state.grid.channels[0];
  ch.rx = Freq4FromUnits(43812500);
  ch.rxTone = Tone::Ctcss(885);
  ch.power = 0;
  ch.forbid = 1;
  ch.bandwidth = 0;
  ch.scan = 0;
  ASSERT_TRUE(SaveCodeplug(file, EncodeImage(state)).ok());
  const std::string before = ReadFile(file);
  ASSERT_EQ(Row(1), "01 438.12500 88.5 Low Carrow Narrow No");

  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "1", "--rx", "438.12500"}).code, 0);
  EXPECT_EQ(Row(1), "01 438.12500 88.5 Low Carrow Narrow No");
  EXPECT_TRUE(ReadFile(file) == before) << "the file changed";
  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "1", "--rx", "438.2"}).code, 0);
  EXPECT_EQ(Row(1), "01 438.20000 88.5 Low Carrow Narrow No");
}

TEST_F(SetCommand, RefusedValuesLeaveTheFileUntouched) {
  ExpectRefused({"--channel", "1", "--rx", "480"}, "Beyond the frequency range");
  ExpectRefused({"--channel", "1", "--rx", "480", "--lang", "zh-Hans"}, "超出频段范围");
  ExpectRefused({"--channel", "1", "--rx", "1.2.3"}, "not a frequency");
  ExpectRefused({"--channel", "1", "--rx", "-438"}, "only digits");
  ExpectRefused({"--channel", "1", "--tx", ""}, "cannot be emptied");
  ExpectRefused({"--channel", "2", "--tx", "438"}, "channel 2 is empty");
  ExpectRefused({"--channel", "1", "--rx-tone", "D999N"}, "no tone");
  ExpectRefused({"--channel", "1", "--rx-tone", "254.2"}, "no tone");
  ExpectRefused({"--channel", "1", "--power", "max"}, "low or high");
  // A later refusal undoes the earlier edits of the same call.
  ExpectRefused({"--channel", "1", "--rx", "440", "--tx-tone", "x"}, "tone cell");
  EXPECT_EQ(Kv3ctl({"set", file, "--rx", "440"}).code, 2);
  EXPECT_EQ(Kv3ctl({"set", file, "--channel", "17", "--rx", "440"}).code, 2);
}

TEST_F(SetCommand, BandChangeNeedsAnAnswer) {
  ExpectRefused({"--band", "5"}, "declined");
  // The band already in force asks nothing.
  ASSERT_EQ(Kv3ctl({"set", file, "--band", "400-480MHz"}).code, 0);
  EXPECT_EQ(Row(1), "01 438.12500 Off 438.12500 Off Hight Off Wide Have");

  Result r = Kv3ctl({"set", file, "--band", "5", "--yes", "--channel", "2", "--rx", "136.0125"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Row(1), "01");
  EXPECT_EQ(Row(2), "02 136.01250 Off 136.01250 Off Hight Off Wide Have");
  EXPECT_NE(Kv3ctl({"show", file}).out.find("136-174MHz"), std::string::npos);
}

TEST_F(SetCommand, TerminalGetsTheQuestion) {
  std::string before = ReadFile(file);
  Result no = Kv3ctlOnTerminal({"set", file, "--band", "6"}, "[y/N]", "n\n");
  EXPECT_EQ(no.code, 4);
  EXPECT_NE(no.out.find("Change frequency channel list will remove, sure?"), std::string::npos);
  EXPECT_EQ(ReadFile(file), before);

  Result yes = Kv3ctlOnTerminal({"set", file, "--band", "6", "--lang", "zh-Hans"}, "[y/N]", "y\n");
  EXPECT_EQ(yes.code, 0) << yes.out;
  EXPECT_NE(yes.out.find("改变频段将清除频道列表，确定吗？"), std::string::npos);
  EXPECT_EQ(Row(1), "01");
}

}  // namespace
}  // namespace kv3::e2e
