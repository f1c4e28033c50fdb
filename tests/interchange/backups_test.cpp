// Backups of every read: the folder, the names, the rotation and the list.
#include "interchange/backups.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

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

// The zone the process believes it is in, for one scope.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (saved_.empty())
      unsetenv("TZ");
    else
      setenv("TZ", saved_.c_str(), 1);
    tzset();
  }

 private:
  std::string saved_;
};

// "The newest are kept" holds when the zone changes between reads, when the
// clock was set back, and with the local-time names of earlier versions.
TEST_F(Backups, TheNewestReadIsKeptInAnyZoneAndAfterTheClockWentBack) {
  MemoryImage image = EncodeImage(DemoState());
  // An earlier version's name: 13:04:05 local time in CET is 12:04:05 UTC.
  TimeZone cet("CET-1");
  const std::string old = dir + "/KV-3-20250102-130405-006.DAT";
  ASSERT_TRUE(SaveCodeplug(old, image).ok());
  std::tm t{};
  t.tm_year = 2025 - 1900;
  t.tm_mday = 2;
  t.tm_hour = 12;
  const system_clock::time_point t0 = system_clock::from_time_t(timegm(&t));  // 12:00 UTC
  std::vector<std::string> written;
  for (int k : {0, 10}) written.push_back(SaveBackup(image, dir, t0 + seconds(k), 3).path);
  {
    // Five hours west: a local-time name would sort before all others.
    TimeZone est("EST5");
    BackupResult later = SaveBackup(image, dir, t0 + std::chrono::hours(1), 3);
    ASSERT_TRUE(later.ok) << later.error;
    written.push_back(later.path);
  }
  EXPECT_NE(written[2].find("KV-3-20250102-130000-000Z.DAT"), std::string::npos) << written[2];
  std::vector<BackupInfo> list = ListBackups(dir);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].path, written[1]);  // the oldest, written[0] at 12:00:00, is gone
  EXPECT_EQ(list[1].path, old);
  EXPECT_EQ(list[1].time, "2025-01-02 13:04:05");
  EXPECT_EQ(list[2].path, written[2]);

  // The clock set back a day: the read just made is not the one removed.
  BackupResult back = SaveBackup(image, dir, t0 - std::chrono::hours(24), 3);
  ASSERT_TRUE(back.ok);
  list = ListBackups(dir);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.front().path, back.path);
  EXPECT_TRUE(fs::exists(written[2]));
}

}  // namespace
}  // namespace kv3
