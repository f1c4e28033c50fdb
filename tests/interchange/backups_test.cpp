// Backups of every read: the folder, the names, the rotation and the list.
#include "interchange/backups.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "editor/demo.h"
#include "image/codec.h"

namespace kv3 {
namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;
using std::chrono::system_clock;

class Backups : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kv3-backups-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string dir;
};

TEST_F(Backups, NewestKeptOthersUntouched) {
  std::string folder = dir + "/KV-3/backups";
  MemoryImage image = EncodeImage(DemoState());
  system_clock::time_point t0 = system_clock::now();
  std::vector<std::string> written;
  for (int k = 0; k < 5; ++k) {
    BackupResult r = SaveBackup(image, folder, t0 + seconds(k), 3);
    ASSERT_TRUE(r.ok) << r.error;
    written.push_back(r.path);
  }
  std::ofstream(folder + "/notes.txt") << "mine";
  std::ofstream(folder + "/KV-3-mine.DAT") << "mine";
  BackupResult r = SaveBackup(image, folder, t0 + seconds(5), 3);
  ASSERT_TRUE(r.ok);
  written.push_back(r.path);

  std::vector<BackupInfo> list = ListBackups(folder);
  ASSERT_EQ(list.size(), 3u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(list[k].path, written[3 + k]);
  EXPECT_TRUE(fs::exists(folder + "/notes.txt"));
  EXPECT_TRUE(fs::exists(folder + "/KV-3-mine.DAT"));
  EXPECT_TRUE(list[0].readable);
  EXPECT_EQ(list[0].band, "400-480MHz");
  EXPECT_EQ(list[0].channels, 6);
  EXPECT_EQ(list[0].time.size(), 19u);
}

TEST_F(Backups, TwoReadsInOneMillisecondKeepBoth) {
  MemoryImage image = EncodeImage(StartupState());
  system_clock::time_point t = system_clock::now();
  BackupResult a = SaveBackup(image, dir, t);
  BackupResult b = SaveBackup(image, dir, t);
  ASSERT_TRUE(a.ok && b.ok);
  EXPECT_NE(a.path, b.path);
  EXPECT_LT(a.path, b.path);
  EXPECT_EQ(ListBackups(dir).size(), 2u);
}

TEST_F(Backups, FolderFollowsTheDataHome) {
  const char* oldData = getenv("XDG_DATA_HOME");
  const char* oldHome = getenv("HOME");
  std::string savedData = oldData ? oldData : "", savedHome = oldHome ? oldHome : "";
  setenv("XDG_DATA_HOME", dir.c_str(), 1);
  EXPECT_EQ(DefaultBackupFolder(), dir + "/KV-3/backups");
  setenv("XDG_DATA_HOME", "relative", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(DefaultBackupFolder(), "/home/someone/.local/share/KV-3/backups");
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DefaultBackupFolder(), "/home/someone/.local/share/KV-3/backups");
  if (oldData) setenv("XDG_DATA_HOME", savedData.c_str(), 1);
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace kv3
