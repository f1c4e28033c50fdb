// The small calls into the system that the link and kv3ctl stand on: the
// order of serial device names, the owner of a device's lock file, whether
// two paths are one file, and the environment.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/environment.h"
#include "platform/file_identity.h"
#include "platform/serial_devices.h"

namespace kv3 {
namespace {

namespace fs = std::filesystem;

class SystemCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kv3-system-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST(SerialDeviceNames, SortByTheValueOfTheirNumbers) {
  std::vector<std::string> names = {"COM10",         "COM2",         "COM1",
                                    "/dev/ttyUSB10", "/dev/ttyUSB9", "/dev/ttyUSB1"};
  std::sort(names.begin(), names.end(), NaturalLess);
  EXPECT_EQ(names, (std::vector<std::string>{"/dev/ttyUSB1", "/dev/ttyUSB9", "/dev/ttyUSB10",
                                             "COM1", "COM2", "COM10"}));
  EXPECT_FALSE(NaturalLess("COM2", "COM2"));
  EXPECT_TRUE(NaturalLess("ttyS", "ttyS0"));
  EXPECT_EQ(LockFileName("/dev/ttyUSB0"), "LCK..ttyUSB0");
  EXPECT_EQ(LockFileName("/dev/pts/3"), "LCK..pts_3");
}

TEST_F(SystemCalls, ALockFileNamesItsOwnerOnlyWhileThatProcessLives) {
  // The parent of this test (ctest, or the shell) is alive; a child that has
  // been waited for is not.
  const int alive = static_cast<int>(::getppid());
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);

  std::ofstream(Path("text")) << "     " << alive << "\n";
  EXPECT_EQ(LiveLockOwner(Path("text")), alive);
  std::ofstream(Path("binary"), std::ios::binary)
      .write(reinterpret_cast<const char*>(&alive), sizeof alive);
  EXPECT_EQ(LiveLockOwner(Path("binary")), alive);
  std::ofstream(Path("dead")) << child << "\n";
  EXPECT_EQ(LiveLockOwner(Path("dead")), 0);
  std::ofstream(Path("self")) << ::getpid() << "\n";
  EXPECT_EQ(LiveLockOwner(Path("self")), 0) << "this process's own lock holds nothing up";
  std::ofstream(Path("junk")) << "not a number\n";
  EXPECT_EQ(LiveLockOwner(Path("junk")), 0);
  EXPECT_EQ(LiveLockOwner(Path("missing")), 0);
}

// A binary lock file holds the owner's number as four bytes; the first of
// them is a digit for about one number in twenty-five, and such a file is
// still no text.
TEST_F(SystemCalls, ABinaryLockFileWhoseFirstByteLooksLikeTextNamesItsOwner) {
  int wake[2];
  ASSERT_EQ(::pipe(wake), 0);
  pid_t owner = -1;
  for (int tries = 0; tries < 5000 && owner < 0; ++tries) {
    pid_t child = ::fork();
    if (child == 0) {
      char c;
      ::close(wake[1]);
      (void)!::read(wake[0], &c, 1);  // lives until the test closes the pipe
      ::_exit(0);
    }
    ASSERT_GT(child, 0);
    const int low = child & 0xFF;
    if (low >= '0' && low <= '9') {
      owner = child;
    } else {
      ::kill(child, SIGKILL);
      ::waitpid(child, nullptr, 0);
    }
  }
  ::close(wake[0]);
  ASSERT_GT(owner, 0) << "no process number with a digit for its low byte in 5000 forks";
  const int number = static_cast<int>(owner);
  std::ofstream(Path("binary"), std::ios::binary)
      .write(reinterpret_cast<const char*>(&number), sizeof number);
  EXPECT_EQ(LiveLockOwner(Path("binary")), number);
  ::close(wake[1]);
  ::waitpid(owner, nullptr, 0);
}

TEST_F(SystemCalls, SameFileSeesThroughLinksAndNeedsBothToExist) {
  std::ofstream(Path("a")) << "a";
  std::ofstream(Path("b")) << "a";
  fs::create_symlink(Path("a"), Path("soft"));
  fs::create_hard_link(Path("a"), Path("hard"));
  EXPECT_TRUE(SameFile(Path("a"), Path("soft")));
  EXPECT_TRUE(SameFile(Path("hard"), Path("a")));
  EXPECT_TRUE(SameFile(Path("a"), (dir_ / "." / "a").string()));
  EXPECT_FALSE(SameFile(Path("a"), Path("b"))) << "the same contents are not the same file";
  EXPECT_FALSE(SameFile(Path("missing"), Path("missing")));
  // A FIFO named twice is one file, as for any other kind.
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  EXPECT_TRUE(SameFile(Path("fifo"), Path("fifo")));
}

TEST(Environment, AnEmptyValueIsAValueAndAnUnsetOneIsNone) {
  ::setenv("KV3_TEST_VARIABLE", "", 1);
  EXPECT_EQ(EnvironmentValue("KV3_TEST_VARIABLE"), std::optional<std::string>(""));
  ::setenv("KV3_TEST_VARIABLE", "漢字 x", 1);
  EXPECT_EQ(EnvironmentValue("KV3_TEST_VARIABLE"), std::optional<std::string>("漢字 x"));
  ::unsetenv("KV3_TEST_VARIABLE");
  EXPECT_EQ(EnvironmentValue("KV3_TEST_VARIABLE"), std::nullopt);
}

}  // namespace
}  // namespace kv3
