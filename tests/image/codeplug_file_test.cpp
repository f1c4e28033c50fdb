// The codeplug file: its layout, the refusals, and the atomic replace.
#include "image/codeplug_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "codeplug/codec.h"
#include "editor/demo.h"

namespace kv3 {
namespace {

namespace fs = std::filesystem;

class CodeplugFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kv3-file-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const char* name) { return (dir_ / name).string(); }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  fs::path dir_;
};

TEST_F(CodeplugFile, SaveWritesTheWordAndTheImage) {
  MemoryImage img = EncodeImage(DemoState());
  ASSERT_TRUE(SaveCodeplug(Path("a.DAT"), img).ok());
  std::string bytes = Read(Path("a.DAT"));
  ASSERT_EQ(bytes.size(), 853u);
  EXPECT_EQ(bytes.substr(0, 5), "MZP48");
  EXPECT_EQ(0, std::memcmp(bytes.data() + 5, img.data(), img.size()));

  MemoryImage back{};
  ASSERT_TRUE(LoadCodeplug(Path("a.DAT"), back).ok());
  EXPECT_EQ(back, img);
  EditorState state = StartupState();
  ASSERT_TRUE(DecodeImage(std::span<const uint8_t>(back), state));
  EXPECT_EQ(EncodeImage(state), img);
}

TEST_F(CodeplugFile, RefusesOtherWordsAndShortFiles) {
  MemoryImage img = EncodeImage(DemoState());
  std::string good(reinterpret_cast<const char*>(img.data()), img.size());
  MemoryImage untouched;
  untouched.fill(0x5A);

  Write(Path("word.DAT"), "MZP49" + good);
  MemoryImage out = untouched;
  EXPECT_EQ(LoadCodeplug(Path("word.DAT"), out).error, FileError::WrongType);
  EXPECT_EQ(out, untouched);

  Write(Path("short.DAT"), "MZP48" + good.substr(0, 847));
  EXPECT_EQ(LoadCodeplug(Path("short.DAT"), out).error, FileError::WrongType);
  Write(Path("empty.DAT"), "");
  EXPECT_EQ(LoadCodeplug(Path("empty.DAT"), out).error, FileError::WrongType);
  EXPECT_EQ(out, untouched);

  // Up to 855 bytes are read; the extra bytes do not matter.
  Write(Path("long.DAT"), "MZP48" + good + std::string(100, '\x01'));
  EXPECT_TRUE(LoadCodeplug(Path("long.DAT"), out).ok());
  EXPECT_EQ(out, img);

  EXPECT_EQ(LoadCodeplug(Path("missing.DAT"), out).error, FileError::ReadFailed);
  EXPECT_EQ(LoadCodeplug(dir_.string(), out).error, FileError::ReadFailed);
}

TEST_F(CodeplugFile, SaveReplacesALongerFileWhole) {
  Write(Path("old.DAT"), std::string(2000, 'x'));
  ::chmod(Path("old.DAT").c_str(), 0640);
  ASSERT_TRUE(SaveCodeplug(Path("old.DAT"), EncodeImage(StartupState())).ok());
  EXPECT_EQ(Read(Path("old.DAT")).size(), 853u);
  struct stat st {};
  ::stat(Path("old.DAT").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // No temporary file is left beside it.
  int files = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(CodeplugFile, FailedSaveIsReportedAndKeepsTheOldFile) {
  Write(Path("keep.DAT"), "old contents");
  FileResult r = SaveCodeplug(Path("no/such/dir/x.DAT"), EncodeImage(StartupState()));
  EXPECT_EQ(r.error, FileError::WriteFailed);
  EXPECT_FALSE(r.detail.empty());
  if (::geteuid() != 0) {
    ::chmod(dir_.c_str(), 0500);
    EXPECT_EQ(SaveCodeplug(Path("keep.DAT"), EncodeImage(StartupState())).error,
              FileError::WriteFailed);
    ::chmod(dir_.c_str(), 0700);
  }
  EXPECT_EQ(Read(Path("keep.DAT")), "old contents");
}

// What a save does to what stands at the path: links are followed, owner,
// group and mode kept, anything but a regular file refused untouched.
TEST_F(CodeplugFile, SaveFollowsLinksAndKeepsWhatItReplaces) {
  const MemoryImage img = EncodeImage(DemoState());
  const std::string saved = "MZP48" + std::string(reinterpret_cast<const char*>(img.data()), 848);

  // A chain of links, one of them relative: the file at its end is replaced,
  // the links stay links.
  fs::create_directories(dir_ / "real");
  Write(Path("real/radio.DAT"), "old");
  fs::create_symlink("real/radio.DAT", dir_ / "hop.DAT");
  fs::create_symlink(dir_ / "hop.DAT", dir_ / "link.DAT");
  ASSERT_TRUE(SaveCodeplug(Path("link.DAT"), img).ok());
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.DAT"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "hop.DAT"));
  EXPECT_EQ(Read(Path("real/radio.DAT")), saved);
  // A link to nothing yet makes the file it names.
  fs::create_symlink("real/new.DAT", dir_ / "dangling.DAT");
  ASSERT_TRUE(SaveCodeplug(Path("dangling.DAT"), img).ok());
  EXPECT_EQ(Read(Path("real/new.DAT")), saved);

  // Owner, group and mode are kept (another user's only where the process may).
  Write(Path("theirs.DAT"), "old");
  ::chmod(Path("theirs.DAT").c_str(), 0604);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(Path("theirs.DAT").c_str(), 4242, 4343), 0);
  }
  ASSERT_TRUE(SaveCodeplug(Path("theirs.DAT"), img).ok());
  struct stat st {};
  ASSERT_EQ(::stat(Path("theirs.DAT").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  if (root) {
    EXPECT_EQ(st.st_uid, 4242u);
    EXPECT_EQ(st.st_gid, 4343u);
  }

  // A hard link is split, and the save says so.
  Write(Path("a.DAT"), "old");
  fs::create_hard_link(dir_ / "a.DAT", dir_ / "b.DAT");
  FileResult split = SaveCodeplug(Path("a.DAT"), img);
  ASSERT_TRUE(split.ok());
  EXPECT_NE(split.warning.find("hard link"), std::string::npos) << split.warning;
  EXPECT_EQ(Read(Path("b.DAT")), "old");

  // A name as long as a file name may be still saves (its temporary file is
  // named shorter).
  std::string longName(250, 'n');
  ASSERT_TRUE(SaveCodeplug((dir_ / longName).string(), img).ok());
  EXPECT_EQ(Read((dir_ / longName).string()), saved);
}

TEST_F(CodeplugFile, SaveRefusesWhatIsNoRegularFile) {
  const MemoryImage img = EncodeImage(StartupState());
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  fs::create_directories(dir_ / "folder.DAT");
  fs::create_symlink("fifo", dir_ / "to-fifo.DAT");
  for (std::string path :
       {Path("fifo"), Path("folder.DAT"), Path("to-fifo.DAT"), std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    FileResult r = SaveCodeplug(path, img);
    EXPECT_EQ(r.error, FileError::WriteFailed);
    EXPECT_NE(r.detail.find("not a file"), std::string::npos) << r.detail;
  }
  EXPECT_TRUE(fs::is_fifo(dir_ / "fifo"));
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.DAT"));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  // Nothing else was left in the folder.
  int files = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 3);
}

// Runs a check in a child process as the user nobody (the checks of another
// user's file and of a read-only folder mean nothing to root); its exit code.
int AsNobody(const std::function<int()>& check) {
  pid_t pid = ::fork();
  if (pid == 0) {
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(100);
    ::_exit(check());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(CodeplugFile, SaveThatCannotKeepTheFileSaysWhy) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to make another user's file";
  const MemoryImage img = EncodeImage(StartupState());
  ::chmod(dir_.c_str(), 0777);
  // Another user's file that nobody may write: replacing it would make it
  // nobody's, so it is refused and left as it was.
  Write(Path("theirs.DAT"), "old");
  ASSERT_EQ(::chown(Path("theirs.DAT").c_str(), 4242, 4242), 0);
  ::chmod(Path("theirs.DAT").c_str(), 0666);
  // A file nobody may write in a folder nobody may not: no temporary file.
  fs::create_directories(dir_ / "locked");
  Write(Path("locked/mine.DAT"), "old");
  ::chmod(Path("locked/mine.DAT").c_str(), 0666);
  ::chmod(Path("locked").c_str(), 0555);
  const std::string theirs = Path("theirs.DAT"), mine = Path("locked/mine.DAT");
  const std::string folder = Path("locked");
  EXPECT_EQ(AsNobody([&] {
              FileResult r = SaveCodeplug(theirs, img);
              return r.ok() ? 1 : r.detail.find("another user") == std::string::npos ? 2 : 0;
            }),
            0);
  EXPECT_EQ(AsNobody([&] {
              FileResult r = SaveCodeplug(mine, img);
              return r.ok() ? 1 : r.detail.find("folder " + folder) == std::string::npos ? 2 : 0;
            }),
            0);
  EXPECT_EQ(Read(theirs), "old");
  EXPECT_EQ(Read(mine), "old");
  ::chmod(Path("locked").c_str(), 0755);
}

TEST(DemoFile, ShippedDemoIsTheDemoState) {
  MemoryImage img{};
  ASSERT_TRUE(LoadCodeplug(KV3_SOURCE_DIR "/data/demo.DAT", img).ok());
  EXPECT_EQ(img, EncodeImage(DemoState()));
}

}  // namespace
}  // namespace kv3
