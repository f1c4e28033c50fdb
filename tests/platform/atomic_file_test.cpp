// Whole-file reads and replacements, as every file of the program (settings,
// port numbers, exported lists) uses them; the codeplug file's own tests
// cover links, owners, modes and hard links through SaveCodeplug.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kv3 {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kv3-atomic-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(AtomicFile, ReadStopsAtTheLimitAndLeavesTheBytesOnFailure) {
  std::ofstream(Path("big"), std::ios::binary) << std::string(100000, 'x');
  std::string bytes = "kept";
  ASSERT_TRUE(ReadFileBounded(Path("big"), 70000, bytes).ok());
  EXPECT_EQ(bytes.size(), 70000u);
  ASSERT_TRUE(ReadFileBounded(Path("big"), 200000, bytes).ok());
  EXPECT_EQ(bytes.size(), 100000u);

  bytes = "kept";
  const FileIoResult missing = ReadFileBounded(Path("none"), 10, bytes);
  EXPECT_FALSE(missing.ok());
  EXPECT_FALSE(missing.detail.empty());
  const FileIoResult folder = ReadFileBounded(dir_.string(), 10, bytes);
  EXPECT_FALSE(folder.ok());
  EXPECT_EQ(bytes, "kept");
}

TEST_F(AtomicFile, WriteMakesOrReplacesAFileWholeAndLeavesNoTemporaryFile) {
  const std::string text(5000, 'a');
  ASSERT_TRUE(WriteFileAtomically(Path("f.txt"), text).ok());
  ASSERT_TRUE(WriteFileAtomically(Path("f.txt"), "short\n").ok());
  std::ifstream in(Path("f.txt"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "short\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);

  // A new file takes the mode the umask leaves.
  const mode_t mask = ::umask(027);
  ASSERT_TRUE(WriteFileAtomically(Path("new.txt"), "x").ok());
  ::umask(mask);
  struct stat st {};
  ASSERT_EQ(::stat(Path("new.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // A folder in the way is refused and stays.
  fs::create_directory(dir_ / "sub");
  const FileIoResult refused = WriteFileAtomically((dir_ / "sub").string(), "x");
  EXPECT_FALSE(refused.ok());
  EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
}

}  // namespace
}  // namespace kv3
