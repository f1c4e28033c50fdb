// kv3ctl export, import, diff and backups as programs, on real files.
#include "codeplug/codec.h"
#include "e2e_support.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace kv3::e2e {
namespace {

class InterchangeE2e : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_TRUE(SaveCodeplug(Path("demo.DAT"), EncodeImage(DemoState())).ok());
  }
  // Runs kv3ctl with the data folder inside the test directory.
  int Run(const std::string& arguments, const std::string& dataHome = "") {
    Result r = Kv3ctl(arguments, {"XDG_DATA_HOME=" + (dataHome.empty() ? Path("data") : dataHome)});
    out = r.out;
    err = r.err;
    return r.code;
  }
  std::string out, err;
};

TEST_F(InterchangeE2e, JsonAndCsvComeBackToTheSameCodeplug) {
  ASSERT_EQ(Run("export " + Path("demo.DAT") + " -o " + Path("demo.json")), 0) << err;
  ASSERT_EQ(Run("import " + Path("demo.json") + " -o " + Path("json.DAT")), 0) << err;
  EXPECT_EQ(ReadFile(Path("json.DAT")), ReadFile(Path("demo.DAT")));

  ASSERT_EQ(Run("export " + Path("demo.DAT") + " -o " + Path("demo.csv")), 0) << err;
  ASSERT_EQ(
      Run("import " + Path("demo.csv") + " --base " + Path("demo.DAT") + " -o " + Path("csv.DAT")),
      0)
      << err;
  EXPECT_EQ(Run("diff " + Path("demo.DAT") + " " + Path("csv.DAT")), 0) << out;
  EXPECT_EQ(out, "");
}

TEST_F(InterchangeE2e, RefusedRowsWriteNothingUnlessSkipped) {
  WriteFile(Path("list.csv"), "Location,Name,Frequency\r\n1,Home,438.125\r\n2,Far,520.000\r\n");
  EXPECT_EQ(Run("import " + Path("list.csv") + " -o " + Path("out.DAT")), 4);
  EXPECT_FALSE(fs::exists(Path("out.DAT")));
  EXPECT_NE(err.find(Path("list.csv") + ":3:3: Frequency \"520.000\": outside the band"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("ignored, the radio has no place for them: Name"), std::string::npos);

  EXPECT_EQ(Run("import " + Path("list.csv") + " --skip-bad -o " + Path("out.DAT")), 0) << err;
  EXPECT_EQ(Run("show " + Path("out.DAT")), 0);
  EXPECT_NE(out.find("438.12500"), std::string::npos);
}

TEST_F(InterchangeE2e, DiffSaysWhatChangedAndExitsOne) {
  EditorState b = DemoState();
  b.grid.channels[2].rx = Freq4FromUnits(43912500);
  ASSERT_TRUE(SaveCodeplug(Path("b.DAT"), EncodeImage(b)).ok());
  EXPECT_EQ(Run("diff " + Path("demo.DAT") + " " + Path("b.DAT")), 1);
  EXPECT_EQ(out, "channel 3: RX frequency 439.00000 \u2192 439.12500\n");
  EXPECT_EQ(Run("diff --json " + Path("demo.DAT") + " " + Path("b.DAT")), 1);
  EXPECT_NE(out.find("\"field\": \"rxFrequency\""), std::string::npos) << out;
  EXPECT_EQ(Run("diff " + Path("demo.DAT") + " " + Path("missing.DAT")), 3);
}

TEST_F(InterchangeE2e, EveryReadLeavesABackupAndABrokenFolderNeverFailsTheRead) {
  ASSERT_EQ(Run("read --port sim -o " + Path("r1.DAT")), 0) << err;
  ASSERT_EQ(Run("read --port sim -o " + Path("r2.DAT")), 0) << err;
  ASSERT_EQ(Run("backups"), 0);
  EXPECT_NE(out.find("400-480MHz  6"), std::string::npos) << out;
  EXPECT_EQ(Count(out, "\n"), 3) << out;  // the heading and two backups

  WriteFile(Path("plain-file"), "x");
  EXPECT_EQ(Run("read --port sim -o " + Path("r3.DAT"), Path("plain-file")), 0);
  EXPECT_TRUE(fs::exists(Path("r3.DAT")));
  EXPECT_NE(err.find("no backup of this read"), std::string::npos) << err;
}

}  // namespace
}  // namespace kv3::e2e
