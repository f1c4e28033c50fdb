// The files the window deals with besides .DAT: the recent list, the kept
// unsaved edits and their locks, and CSV/JSON import with refused rows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "i18n/traditional.h"
#include "interchange/file_import.h"
#include "interchange/recent_files.h"
#include "interchange/recovery_file.h"

namespace kv3 {
namespace {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = (fs::temp_directory_path() /
             ("kv3-files-" + std::to_string(random()) + "-" + std::to_string(random())))
                .string();
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// ---- recent files -------------------------------------------------------

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndAtMostEight) {
  std::vector<std::string> list;
  for (int k = 1; k <= 10; ++k) PutFirst(list, "/f" + std::to_string(k) + ".DAT");
  PutFirst(list, "/f5.DAT");
  ASSERT_EQ(list.size(), kRecentFileLimit);
  EXPECT_EQ(list.front(), "/f5.DAT");
  EXPECT_EQ(list[1], "/f10.DAT");
  EXPECT_EQ(std::count(list.begin(), list.end(), "/f5.DAT"), 1);
  EXPECT_EQ(std::find(list.begin(), list.end(), "/f2.DAT"), list.end());  // fell off
  // A path with a line end cannot be one line of the file.
  PutFirst(list, "/bad\nname.DAT");
  EXPECT_EQ(list.front(), "/f5.DAT");
}

TEST(RecentFiles, OneEntryPerFileWhateverItsSpellingAndGoneFilesDropped) {
  TempDir dir;
  const std::string store = dir / "config/KV-3/recent-files";
  for (const char* name : {"a.DAT", "b.csv"}) WriteText(dir / name, "x");
  RecentFiles recent(store);
  for (const std::string& path : {dir / "a.DAT", dir / "b.csv", dir.path() + "/./a.DAT"})
    ASSERT_TRUE(recent.Add(path).ok());
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{dir / "a.DAT", dir / "b.csv"}));
  fs::remove(dir / "a.DAT");
  EXPECT_EQ(recent.Entries(), std::vector<std::string>{dir / "b.csv"});
  // Dropped from the file too, not only from what was shown.
  EXPECT_EQ(ParseRecentFiles(ReadText(store)).size(), 1u);
}

TEST(RecentFiles, AListFileOfGarbageIsReadAsWhatItCanBe) {
  EXPECT_EQ(ParseRecentFiles("relative/x.DAT\r\n\n/ok.DAT\r\n/ok.DAT\n"),
            std::vector<std::string>{"/ok.DAT"});
  TempDir dir;
  fs::create_directories(dir / "list");  // a folder where the file should be
  RecentFiles recent(dir / "list");
  EXPECT_TRUE(recent.Entries().empty());
}

// ---- unsaved edits ------------------------------------------------------

EditorState EditedState() {
  EditorState s = DemoState();
  SelectBandSilently(s.band, 3);
  s.band.ConfirmedBandIndex = 1;  // a band change the radio has not confirmed
  s.grid.ChannelChoice[2][3] = 1;
  s.settings.squelch = 8;
  s.shared.EmbeddedInfoText[0] = "KEPT";
  return s;
}

// What a radio or a file would get from the state, and what the window
// shows of it beyond the image.
void ExpectSameEdits(const EditorState& a, const EditorState& b) {
  EXPECT_EQ(EncodeImageHex(a), EncodeImageHex(b));
  EXPECT_EQ(a.band, b.band);
  EXPECT_EQ(a.grid.channels, b.grid.channels);
  EXPECT_EQ(a.grid.ChannelChoice, b.grid.ChannelChoice);
  EXPECT_EQ(a.settings, b.settings);
}

TEST(RecoveryFile, GivesBackTheSameCodeplug) {
  const EditorState before = EditedState();
  EditorState after = StartupState();
  int64_t savedAt = 0;
  ASSERT_TRUE(ParseRecovery(FormatRecovery(before, 1234), StartupState(), after, &savedAt));
  ExpectSameEdits(before, after);
  EXPECT_EQ(savedAt, 1234);
}

TEST(RecoveryFile, ADamagedFileIsRefusedAndChangesNothing) {
  const std::string good = FormatRecovery(EditedState(), 1);
  std::string shortImage = good;
  shortImage.replace(shortImage.find("\"image\": \"") + 10, 2, "");
  std::string badBand = good;
  badBand.replace(badBand.find("\"index\": 3"), 10, "\"index\": 9");
  std::string badHex = good;
  badHex.replace(badHex.find("\"image\": \"") + 10, 1, "G");
  const std::string damaged[] = {
      good.substr(0, good.size() / 2),  // cut short by a crash of the disk
      "",
      std::string(300, '\0'),
      "[1,2,3]",
      shortImage,
      badBand,
      badHex,
      "{\"format\": \"something else\"}",
  };
  for (const std::string& text : damaged) {
    EditorState state = StartupState();
    EXPECT_FALSE(ParseRecovery(text, StartupState(), state)) << text.substr(0, 60);
    EXPECT_EQ(state, StartupState());
  }
}

TEST(RecoveryStore, KeepsItsOwnFileAndOffersOnlyThoseOfProcessesThatAreGone) {
  TempDir dir;
  const EditorState edited = EditedState();
  auto first = std::make_unique<RecoveryStore>(dir.path());
  ASSERT_TRUE(first->Open());
  ASSERT_TRUE(first->Keep(edited, 10).ok());
  EXPECT_TRUE(fs::exists(first->ownPath()));
  // A store never offers its own edits.
  EXPECT_FALSE(first->ClaimLeftEdits());

  // A second program running at the same time: the first still holds its
  // lock, so its edits are not offered, and each writes its own file.
  RecoveryStore second(dir.path());
  ASSERT_TRUE(second.Open());
  EXPECT_FALSE(second.ClaimLeftEdits());
  ASSERT_TRUE(second.Keep(StartupState(), 11).ok());
  EXPECT_NE(second.ownPath(), first->ownPath());
  const std::string firstPath = first->ownPath();
  EditorState check = StartupState();
  ASSERT_TRUE(ParseRecovery(ReadText(firstPath), StartupState(), check));
  ExpectSameEdits(check, edited);

  // The first ends (its lock goes as a killed process's does); its edits stay.
  first.reset();
  ASSERT_TRUE(fs::exists(firstPath));
  RecoveryStore third(dir.path());
  ASSERT_TRUE(third.Open());
  std::optional<LeftEdits> left = third.ClaimLeftEdits();
  ASSERT_TRUE(left);
  EXPECT_EQ(left->path, firstPath);
  // Taken by the third: the second cannot take it as well.
  EXPECT_FALSE(second.ClaimLeftEdits());
  EditorState restored = StartupState();
  ASSERT_TRUE(third.Load(*left, StartupState(), restored));
  ExpectSameEdits(restored, edited);
  third.Dismiss(*left);
  EXPECT_FALSE(fs::exists(firstPath));
  EXPECT_FALSE(second.ClaimLeftEdits());
}

TEST(RecoveryStore, ACleanStateLeavesNothingBehind) {
  TempDir dir;
  {
    RecoveryStore store(dir.path());
    ASSERT_TRUE(store.Open());
    ASSERT_TRUE(store.Keep(EditedState(), 1).ok());
    store.Forget();  // saved: clean again
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));
  RecoveryStore next(dir.path());
  ASSERT_TRUE(next.Open());
  EXPECT_FALSE(next.ClaimLeftEdits());
}

TEST(RecoveryStore, NoFolderKeepsNothingWithoutFailingTheProgram) {
  TempDir dir;
  WriteText(dir / "file", "x");
  RecoveryStore store(dir / "file/unsaved-edits");
  EXPECT_FALSE(store.Open());
  EXPECT_FALSE(store.Keep(EditedState(), 1).ok());
  EXPECT_FALSE(store.ClaimLeftEdits());
}

// ---- import and export --------------------------------------------------

const char kHeader[] = "Location,Name,Frequency,Duplex,Offset,Power\r\n";

TEST(FileImport, ARefusedRowChangesNothingUnlessTheGoodRowsAreTaken) {
  TempDir dir;
  const std::string csv = dir / "list.CSV";
  WriteText(csv, std::string(kHeader) +
                     "1,A,438.125000,,0,High\r\n"
                     "2,B,999.000000,,0,High\r\n"
                     "3,C,439.000000,,0,Low\r\n");
  const EditorState before = DemoState();
  EditorState state = before;
  FileImport refused = ImportInterchangeFile(csv, state, false);
  EXPECT_TRUE(refused.failure.empty());
  EXPECT_FALSE(refused.changed);
  EXPECT_EQ(state, before);
  ASSERT_TRUE(refused.CanTakeGoodRows());
  ASSERT_EQ(refused.problems.size(), 1u);
  EXPECT_EQ(refused.problems[0].line, 3);
  EXPECT_EQ(refused.problems[0].column, 3);

  const std::string en = ImportProblemLines(refused, Language::English);
  EXPECT_EQ(en.rfind("Line 3, column 3 (Frequency \"999.000000\"): ", 0), 0u) << en;
  const std::string zh = ImportProblemLines(refused, Language::Simplified);
  EXPECT_EQ(zh.rfind("第 3 行，第 3 列（Frequency “999.000000”）：", 0), 0u) << zh;
  // The reason too is in the user's language, as a refused paste gives it.
  EXPECT_NE(en.find(": outside the band 400-480MHz"), std::string::npos) << en;
  EXPECT_NE(zh.find("：超出频段范围 400-480MHz"), std::string::npos) << zh;
  EXPECT_EQ(ImportProblemLines(refused, Language::Traditional), ToTraditional(zh));

  // A long list is cut, saying how much was left out.
  FileImport many = refused;
  many.problems.resize(25, refused.problems[0]);
  const std::string cut = ImportProblemLines(many, Language::English);
  EXPECT_EQ(std::count(cut.begin(), cut.end(), '\n'), 21);
  EXPECT_NE(cut.find("\n… and 5 more\n"), std::string::npos) << cut;

  FileImport taken = ImportInterchangeFile(csv, state, true);
  ASSERT_TRUE(taken.changed);
  EXPECT_EQ(taken.rowsAccepted, 2);
  EXPECT_FALSE(state.grid.channels[0].empty());
  EXPECT_TRUE(state.grid.channels[1].empty());
  EXPECT_FALSE(state.grid.channels[2].empty());
}

TEST(FileImport, WholeFileFaultsAndJsonRefusalsChangeNothing) {
  TempDir dir;
  const EditorState before = DemoState();
  WriteText(dir / "all-bad.csv", std::string(kHeader) + "1,A,999,,0,High\r\n");
  WriteText(dir / "no-header.csv", "just,some,words\r\n");
  WriteText(dir / "bad.json", "{\"format\": ");
  WriteText(dir / "x.txt", "");
  struct Case {
    std::string file;
    bool failure;
  };
  for (const Case& c : {Case{"all-bad.csv", false}, Case{"no-header.csv", true},
                        Case{"bad.json", true}, Case{"x.txt", true}, Case{"missing.csv", true}}) {
    EditorState state = before;
    FileImport r = ImportInterchangeFile(dir / c.file, state, true);
    EXPECT_FALSE(r.changed) << c.file;
    EXPECT_EQ(!r.failure.empty(), c.failure) << c.file;
    EXPECT_FALSE(r.CanTakeGoodRows()) << c.file;
    EXPECT_EQ(state, before) << c.file;
  }
}

}  // namespace
}  // namespace kv3
