// The codeplug file: its layout, the refusals, and the atomic replace.
#include "image/codeplug_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/demo.h"
#include "image/codec.h"

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

TEST(DemoFile, ShippedDemoIsTheDemoState) {
  MemoryImage img{};
  ASSERT_TRUE(LoadCodeplug(KV3_SOURCE_DIR "/data/demo.DAT", img).ok());
  EXPECT_EQ(img, EncodeImage(DemoState()));
}

}  // namespace
}  // namespace kv3
