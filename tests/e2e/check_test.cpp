// kv3ctl check as a program: the problems list of a file, its exit codes,
// --json and --lang.
#include <nlohmann/json.hpp>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/frequency_entry.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

class CheckE2e : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    EditorState s = StartupState();
    s.grid.channels[0].rx = Freq4FromUnits(43812500);
    ApplyNewChannelDefaults(s.grid, 1);
    ASSERT_TRUE(SaveCodeplug(Path("clean.DAT"), EncodeImage(s)).ok());
    // A radio's memory: channel 2 outside the band, a DCS word that is no
    // code on channel 1, and a fixed priority channel that is empty.
    MemoryImage image = EncodeImage(s);
    s.grid.channels[1].rx = Freq4FromUnits(48100000);
    ApplyNewChannelDefaults(s.grid, 2);
    s.shared.OptionText[10] = "1";
    s.shared.OptionText[11] = "7";
    image = EncodeImage(s);
    image[At(addr::kChannels + 10)] = 0x13;
    image[At(addr::kChannels + 11)] = 0x2B;
    ASSERT_TRUE(SaveCodeplug(Path("bad.DAT"), image).ok());
  }
};

TEST_F(CheckE2e, ListsTheProblemsOneALineWithItsExitCode) {
  Result clean = Kv3ctl({"check", Path("clean.DAT")});
  EXPECT_EQ(clean.code, 0) << clean.err;
  EXPECT_EQ(clean.out, "");

  Result bad = Kv3ctl({"check", Path("bad.DAT")});
  EXPECT_EQ(bad.code, 1) << bad.err;
  EXPECT_EQ(bad.out,
            "Channel 01, TX QT/DQT: 2B13: The DCS code is not three octal digits (8 or 9)\n"
            "Channel 02, RX frequency: 481.00000: Beyond the frequency range\n"
            "Channel 02, TX frequency: 481.00000: Beyond the frequency range\n"
            "Optional Function, Priority channel: 7: The priority channel is empty\n");
  EXPECT_EQ(bad.err, "");

  Result zh = Kv3ctl({"check", Path("bad.DAT"), "--lang", "zh-Hant"});
  EXPECT_EQ(zh.code, 1);
  EXPECT_NE(zh.out.find("信道 02, 接收頻率: 481.00000: 超出頻段範圍\n"), std::string::npos)
      << zh.out;
  Result hans = Kv3ctl({"check", "--lang=zh-Hans", Path("bad.DAT")});
  EXPECT_NE(hans.out.find("可选功能, 优先信道: 7: 优先信道是空信道\n"), std::string::npos)
      << hans.out;
}

TEST_F(CheckE2e, JsonIsAnArrayOfProblems) {
  Result r = Kv3ctl({"check", Path("bad.DAT"), "--json"});
  EXPECT_EQ(r.code, 1) << r.err;
  nlohmann::json j = nlohmann::json::parse(r.out);
  ASSERT_TRUE(j.is_array());
  ASSERT_EQ(j.size(), 4u);
  EXPECT_EQ(j[1]["place"], "grid");
  EXPECT_EQ(j[1]["row"], 2);
  EXPECT_EQ(j[1]["column"], 1);
  EXPECT_EQ(j[1]["field"], "rxFrequency");
  EXPECT_EQ(j[1]["problem"], "outOfBand");
  EXPECT_EQ(j[1]["value"], "481.00000");
  EXPECT_EQ(j[3]["place"], "optionalFunctions");

  Result clean = Kv3ctl({"check", Path("clean.DAT"), "--json"});
  EXPECT_EQ(clean.code, 0);
  EXPECT_EQ(nlohmann::json::parse(clean.out), nlohmann::json::array());
}

TEST_F(CheckE2e, UnreadableFilesAndBadUsage) {
  WriteFile(Path("list.csv"), "Location,Frequency\r\n1,438.125\r\n");
  Result notCodeplug = Kv3ctl({"check", Path("list.csv")});
  EXPECT_EQ(notCodeplug.code, 3);
  EXPECT_NE(notCodeplug.err.find("Document type not to open."), std::string::npos);
  EXPECT_EQ(notCodeplug.out, "");
  EXPECT_EQ(Kv3ctl({"check", Path("missing.DAT")}).code, 3);

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"check"},
                                             {"check", Path("clean.DAT"), Path("bad.DAT")},
                                             {"check", Path("clean.DAT"), "--lang", "fr"},
                                             {"check", Path("clean.DAT"), "--verbose"}}) {
    Result r = Kv3ctl(args);
    EXPECT_EQ(r.code, 2) << args.size();
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace kv3::e2e
