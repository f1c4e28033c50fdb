// kv3ctl export, import, diff and backups as programs, on real files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "editor/demo.h"
#include "image/codec.h"
#include "image/codeplug_file.h"

namespace {

namespace fs = std::filesystem;

const std::string kCtl = KV3_BINARY_DIR "/tools/kv3ctl/kv3ctl";

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class InterchangeE2e : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("kv3_interchange_e2e_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    ASSERT_TRUE(kv3::SaveCodeplug(Path("demo.DAT"), kv3::EncodeImage(kv3::DemoState())).ok());
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Runs kv3ctl with the data folder inside the test directory.
  int Run(const std::string& arguments, const std::string& dataHome = "") {
    std::string env = "XDG_DATA_HOME='" + (dataHome.empty() ? Path("data") : dataHome) + "' ";
    std::string command =
        env + kCtl + " " + arguments + " </dev/null >" + Path("out") + " 2>" + Path("err");
    int status = std::system(command.c_str());
    out = FileText(Path("out"));
    err = FileText(Path("err"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
  std::string out, err;
};

TEST_F(InterchangeE2e, JsonAndCsvComeBackToTheSameCodeplug) {
  ASSERT_EQ(Run("export " + Path("demo.DAT") + " -o " + Path("demo.json")), 0) << err;
  ASSERT_EQ(Run("import " + Path("demo.json") + " -o " + Path("json.DAT")), 0) << err;
  EXPECT_EQ(FileText(Path("json.DAT")), FileText(Path("demo.DAT")));

  ASSERT_EQ(Run("export " + Path("demo.DAT") + " -o " + Path("demo.csv")), 0) << err;
  ASSERT_EQ(
      Run("import " + Path("demo.csv") + " --base " + Path("demo.DAT") + " -o " + Path("csv.DAT")),
      0)
      << err;
  EXPECT_EQ(Run("diff " + Path("demo.DAT") + " " + Path("csv.DAT")), 0) << out;
  EXPECT_EQ(out, "");
}

TEST_F(InterchangeE2e, RefusedRowsWriteNothingUnlessSkipped) {
  std::ofstream(Path("list.csv")) << "Location,Name,Frequency\r\n"
                                     "1,Home,438.125\r\n"
                                     "2,Far,520.000\r\n";
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
  kv3::EditorState b = kv3::DemoState();
  b.grid.channels[2].rx = kv3::Freq4FromUnits(43912500);
  ASSERT_TRUE(kv3::SaveCodeplug(Path("b.DAT"), kv3::EncodeImage(b)).ok());
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
  int lines = 0;
  for (char c : out) lines += c == '\n';
  EXPECT_EQ(lines, 3) << out;  // the heading and two backups

  std::ofstream(Path("plain-file")) << "x";
  EXPECT_EQ(Run("read --port sim -o " + Path("r3.DAT"), Path("plain-file")), 0);
  EXPECT_TRUE(fs::exists(Path("r3.DAT")));
  EXPECT_NE(err.find("no backup of this read"), std::string::npos) << err;
}

}  // namespace
