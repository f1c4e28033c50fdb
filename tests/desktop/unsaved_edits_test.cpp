// Unsaved edits survive a killed program: kv3-programmer on a real X server,
// an edit typed with xdotool, SIGKILL once the edits are on disk, a new start
// that offers them in its bar, Restore with a key, and Discard.
#include <signal.h>

#include <iostream>
#include <thread>

#include "codeplug/codec.h"
#include "e2e_support.h"
#include "image/image.h"
#include "interchange/recovery_file.h"

namespace kv3::e2e {
namespace {

const std::string kProgrammer = KV3_PROGRAMMER;
const std::string kXdotool = KV3_XDOTOOL;

class UnsavedEdits : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run on an X server (tests/on_x_server)";
    fs::create_directories(dir_ / "config/KV-3");
    // Unlocked, no port, Simplified Chinese.
    WriteFile(dir_ / "config/KV-3/parameter", std::string("\x00\x00\x00", 3));
  }
  void TearDown() override {
    if (HasFailure())
      std::cerr << "kv3-programmer's stderr:\n" << ReadFile(Path("programmer.err")) << "\n";
    Kill();
    E2eTest::TearDown();
  }

  std::string Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{kXdotool};
    argv.insert(argv.end(), args.begin(), args.end());
    const std::string out = Path("xdotool.out");
    WaitFor(Spawn(argv, out, -1, Path("xdotool.err")), 30s);
    return ReadFile(out);
  }
  std::string Window(const std::string& title) {
    std::string ids = Xdotool({"search", "--onlyvisible", "--name", title});
    return ids.substr(0, ids.find('\n'));
  }
  void Keys(const std::vector<std::string>& keys) {
    Xdotool({"windowfocus", main_});
    ASSERT_TRUE(WaitUntil([&] { return Xdotool({"getwindowfocus"}) == main_ + "\n"; }))
        << "window " << main_ << " did not get the focus";
    std::vector<std::string> args{"key", "--clearmodifiers", "--delay", "50"};
    args.insert(args.end(), keys.begin(), keys.end());
    Xdotool(args);
  }

  void Start() {
    programmer_ = Spawn({kProgrammer}, Path("programmer.out"), -1, Path("programmer.err"),
                        {"QT_QPA_PLATFORM=xcb", "XDG_CONFIG_HOME=" + Path("config"),
                         "XDG_DATA_HOME=" + Path("data")});
    ASSERT_TRUE(WaitUntil([&] { return !(main_ = Window("^凯维写频软件")).empty(); }))
        << ReadFile(Path("programmer.err"));
  }
  void Kill() {
    if (programmer_ <= 0) return;
    kill(programmer_, SIGKILL);
    WaitFor(programmer_, 10s);
    programmer_ = -1;
  }

  // The files of unsaved edits in the data folder.
  std::vector<fs::path> EditFiles() {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir_ / "data/KV-3/unsaved-edits", ec), end; !ec && it != end;
         it.increment(ec))
      if (it->path().extension() == ".edits") files.push_back(it->path());
    return files;
  }

  static bool Parse(const fs::path& file, EditorState& state) {
    state = StartupState();
    return ParseRecovery(ReadFile(file), StartupState(), state);
  }

  pid_t programmer_ = -1;
  std::string main_;
};

TEST_F(UnsavedEdits, AKilledProgramsEditsAreRestoredExactlyOrDiscarded) {
  ASSERT_NO_FATAL_FAILURE(Start());
  // The band list has the focus; Tab reaches the grid, Enter opens channel
  // 1's receive frequency.
  ASSERT_NO_FATAL_FAILURE(Keys({"Tab", "Return", "4", "3", "8", "period", "5", "Return"}));
  std::vector<fs::path> files;
  ASSERT_TRUE(WaitUntil([&] { return (files = EditFiles()).size() == 1; }));
  EditorState before;
  ASSERT_TRUE(WaitUntil([&] { return Parse(files[0], before); }));
  EXPECT_EQ(FrequencyText(before.grid.channels[0].rx), "438.50000");
  const std::string beforeImage = EncodeImageHex(before);
  Kill();  // between the edit and a save

  ASSERT_NO_FATAL_FAILURE(Start());
  // The bar's Restore has the focus when it is offered.
  ASSERT_NO_FATAL_FAILURE(Keys({"space"}));
  // Restored, and kept at once as the new program's own edits; the old
  // file is gone.
  std::vector<fs::path> now;
  ASSERT_TRUE(WaitUntil([&] {
    now = EditFiles();
    return now.size() == 1 && now[0] != files[0];
  }));
  EditorState after;
  ASSERT_TRUE(WaitUntil([&] { return Parse(now[0], after); }));
  EXPECT_EQ(EncodeImageHex(after), beforeImage);
  EXPECT_EQ(after.band, before.band);
  EXPECT_EQ(after.grid, before.grid);
  Kill();

  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(Keys({"Tab", "space"}));  // Discard
  EXPECT_TRUE(WaitUntil([&] { return EditFiles().empty(); }));
}

}  // namespace
}  // namespace kv3::e2e
