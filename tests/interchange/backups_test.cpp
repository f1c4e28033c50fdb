// Backups of every read: the folder, the names, the rotation and the list.
#include "interchange/backups.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "i18n/traditional.h"
#include "image/codeplug_file.h"
#include "interchange/backup_views.h"
#include "interchange/codeplug_diff.h"
#include "interchange/entry_checks.h"

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

// Reads and writes share the folder and the rotation; each says what it is,
// by its name only, so that the files of earlier versions (reads, with no
// mark) are still listed, opened and rotated.
TEST_F(Backups, WritesAreMarkedAndListedBesideReadsOfEveryVersion) {
  std::string folder = dir + "/backups";
  EditorState demo = DemoState();
  demo.shared.EmbeddedInfoText[0] = "FLEET A\x01";
  MemoryImage image = EncodeImage(demo);
  fs::create_directories(folder);
  // A read of an earlier version: local time, no Z.
  ASSERT_TRUE(SaveCodeplug(folder + "/KV-3-20200101-120000-000.DAT", image).ok());
  system_clock::time_point t0 = system_clock::now();
  BackupResult read = SaveBackup(image, folder, t0, 3, BackupKind::Read);
  BackupResult write = SaveBackup(image, folder, t0 + seconds(1), 3, BackupKind::Write);
  ASSERT_TRUE(read.ok && write.ok) << read.error << write.error;
  EXPECT_TRUE(write.path.ends_with("Z-W.DAT")) << write.path;
  // Names that only look like a write's are no backups.
  std::ofstream(folder + "/KV-3-20200101-120000-000Z-X.DAT") << "mine";
  std::ofstream(folder + "/KV-3-20200101-120000-000-W.DAT") << "mine";

  std::vector<BackupInfo> list = ListBackups(folder);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].kind, BackupKind::Read);
  EXPECT_EQ(list[1].path, read.path);
  EXPECT_EQ(list[1].kind, BackupKind::Read);
  EXPECT_EQ(list[2].path, write.path);
  EXPECT_EQ(list[2].kind, BackupKind::Write);
  EXPECT_EQ(list[2].info, "FLEET A\x01");
  EXPECT_TRUE(list[0].readable);

  // The rotation counts both kinds: the oldest (the earlier version's) goes.
  BackupResult next = SaveBackup(image, folder, t0 + seconds(2), 3, BackupKind::Write);
  ASSERT_TRUE(next.ok);
  EXPECT_FALSE(fs::exists(folder + "/KV-3-20200101-120000-000.DAT"));
  EXPECT_TRUE(fs::exists(folder + "/KV-3-20200101-120000-000Z-X.DAT"));

  // The window's rows: newest first, kind in the language, radio text escaped.
  std::vector<BackupRow> rows = BackupRows(ListBackups(folder), Language::English);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].path, next.path);
  EXPECT_EQ(rows[0].cells[1], "Write");
  EXPECT_EQ(rows[2].path, read.path);
  EXPECT_EQ(rows[2].cells[1], "Read");
  EXPECT_EQ(rows[2].cells[2], "400-480MHz");
  EXPECT_EQ(rows[2].cells[3], "6");
  EXPECT_EQ(rows[2].cells[4], EscapeControls("FLEET A\x01"));
  EXPECT_EQ(BackupRows(ListBackups(folder), Language::Traditional)[0].cells[1],
            ToTraditional("写频"));
}

TEST_F(Backups, DeleteRemovesOnlyBackups) {
  std::string folder = dir + "/backups";
  BackupResult r = SaveBackup(EncodeImage(DemoState()), folder, system_clock::now());
  ASSERT_TRUE(r.ok);
  std::ofstream(folder + "/mine.DAT") << "mine";
  BackupResult refused = DeleteBackup(folder + "/mine.DAT");
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.error.find("not a backup"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder + "/mine.DAT"));
  EXPECT_TRUE(DeleteBackup(r.path).ok);
  EXPECT_FALSE(fs::exists(r.path));
  // Gone already: said, not pretended.
  EXPECT_FALSE(DeleteBackup(r.path).ok);
}

// The compare windows show the lines kv3ctl diff prints for files of the two
// codeplugs, with a heading that counts them.
TEST_F(Backups, ComparisonIsTheDiffOfTheTwoImages) {
  auto loaded = [&](const EditorState& state, const std::string& name) {
    MemoryImage image{};
    EXPECT_TRUE(SaveCodeplug(dir + "/" + name, EncodeImage(state)).ok());
    EXPECT_TRUE(LoadCodeplug(dir + "/" + name, image).ok());
    EditorState s = StartupState();
    EXPECT_TRUE(DecodeImage(std::span<const uint8_t>(image), s));
    return s;
  };
  // A fresh editor holds values no image carries (unset option texts): they
  // are no difference a write would make.
  const EditorState fresh = StartupState();
  EXPECT_EQ(
      CompareWithEditor(loaded(fresh, "fresh.DAT"), fresh, CompareSource::Radio, Language::English)
          .heading,
      "Radio → editor: No differences.");

  EditorState radio = DemoState(), editor = DemoState();
  editor.grid.channels[2].rx = Freq4FromUnits(43912500);
  editor.settings.squelch = 3;
  editor.shared.EmbeddedInfoText[1] = "X\x7F";
  const EditorState radioFile = loaded(radio, "radio.DAT"), editorFile = loaded(editor, "e.DAT");
  for (Language lang : {Language::Simplified, Language::English, Language::Traditional}) {
    Comparison c = CompareWithEditor(radioFile, editor, CompareSource::Backup, lang);
    EXPECT_EQ(c.lines, DifferenceLines(radioFile, editorFile, lang));
    ASSERT_EQ(c.lines.size(), 3u);
    for (const std::string& line : c.lines) EXPECT_EQ(line.find('\x7F'), std::string::npos);
  }
  EXPECT_EQ(CompareWithEditor(radioFile, editor, CompareSource::Backup, Language::English).heading,
            "Backup → editor: 3 differences");
  EXPECT_EQ(
      CompareWithEditor(radioFile, editor, CompareSource::Radio, Language::Traditional).heading,
      ToTraditional("电台 → 编辑器：3 处不同"));
  EXPECT_EQ(CompareWithEditor(radioFile, editor, CompareSource::Radio, Language::English).lines[0],
            "channel 3: RX frequency 439.00000 \u2192 439.12500");
}

}  // namespace
}  // namespace kv3
