// The desktop program as a user meets it: kv3-programmer on a real X server
// (tests/on_x_server gives the test one of its own), keys typed with
// xdotool, the radio kv3-radio-sim on a pseudo-terminal mapped to COM2. The radio answers one
// reply four seconds late, so the session times out and the communication
// error box opens; the box is left open while the late reply comes in. The
// radio's --verbose log shows what reached it.
#include <signal.h>

#include <iostream>
#include <regex>
#include <thread>

#include "e2e_support.h"

namespace kv3::e2e {
namespace {

const std::string kProgrammer = KV3_PROGRAMMER;
const std::string kXdotool = KV3_XDOTOOL;

// Polls `done` until it holds; false when the bound passed first.
template <typename F>
bool WaitUntil(F done, std::chrono::milliseconds limit = 30s) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

class ErrorBox : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run on an X server (tests/on_x_server)";
    fs::create_directories(dir_ / "config/KV-3");
    // Unlocked, COM2, Simplified Chinese.
    WriteFile(dir_ / "config/KV-3/parameter", std::string("\x00\x02\x00", 3));
  }
  void TearDown() override {
    if (HasFailure())
      std::cerr << "kv3-programmer's stderr:\n" << ReadFile(Path("programmer.err")) << "\n";
    if (programmer_ > 0) {
      kill(programmer_, SIGTERM);
      WaitFor(programmer_, 10s);
    }
    E2eTest::TearDown();
  }

  // xdotool's output (window ids, one a line); "" when it found nothing.
  std::string Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{kXdotool};
    argv.insert(argv.end(), args.begin(), args.end());
    const std::string out = Path("xdotool.out");
    WaitFor(Spawn(argv, out, -1, Path("xdotool.err")), 30s);
    return ReadFile(out);
  }
  // The first visible window whose title matches, or "".
  std::string Window(const std::string& title) {
    std::string ids = Xdotool({"search", "--onlyvisible", "--name", title});
    return ids.substr(0, ids.find('\n'));
  }
  // Keys typed into a window, as a user types them, once it has the focus.
  void Type(const std::string& window, const std::string& keys) {
    Xdotool({"windowfocus", window});
    ASSERT_TRUE(WaitUntil([&] { return Xdotool({"getwindowfocus"}) == window + "\n"; }))
        << "window " << window << " did not get the focus";
    Xdotool({"key", "--clearmodifiers", keys});
  }
  // Types `keys` into the main window until the radio sees session n start
  // (a key typed while the window was still settling may be lost).
  void StartSession(const RadioSim& radio, const std::string& keys, int n) {
    for (int attempt = 0; attempt < 5 && !radio.WaitForSessionStart(n, 0ms); ++attempt) {
      ASSERT_NO_FATAL_FAILURE(Type(main_, keys));
      if (radio.WaitForSessionStart(n, 5s)) return;
    }
    ASSERT_TRUE(radio.WaitForSessionStart(n, 0ms)) << radio.err();
  }

  void StartProgrammer(const RadioSim& radio) {
    programmer_ = Spawn({kProgrammer, "--port-map", "COM2=" + radio.device()},
                        Path("programmer.out"), -1, Path("programmer.err"),
                        {"QT_QPA_PLATFORM=xcb", "XDG_CONFIG_HOME=" + Path("config"),
                         "XDG_DATA_HOME=" + Path("data")});
    ASSERT_TRUE(WaitUntil([&] { return !(main_ = Window("^凯维写频软件")).empty(); }))
        << ReadFile(Path("programmer.err"));
  }

  int Backups() {
    int n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir_ / "data/KV-3/backups", ec), end; !ec && it != end;
         it.increment(ec))
      ++n;
    return n;
  }

  // The session started by `keys` times out on the radio's late reply. The
  // box is left open until the late reply has gone out and a user would
  // have read the box; then it is closed with Enter, and a read that
  // succeeds follows (its start on the line comes after anything the program
  // sent while closing the box). `lines` gets the radio's end byte lines.
  void TimeOutBehindTheBox(const std::string& keys, std::string& lines) {
    RadioSim radio({"--delay", "4000", "--delay-at", "10", "--fault-sessions", "1", "--verbose"},
                   Path("radio.err"));
    ASSERT_FALSE(radio.device().empty());
    ASSERT_NO_FATAL_FAILURE(StartProgrammer(radio));
    ASSERT_NO_FATAL_FAILURE(StartSession(radio, keys, 1));
    std::string box;
    ASSERT_TRUE(WaitUntil([&] { return !(box = Window("^KV-3\\(T2\\)$")).empty(); }))
        << radio.err();
    // The end byte went out at the time-out, while the box is open.
    EXPECT_TRUE(WaitUntil([&] { return radio.endBytes() == 1; })) << radio.err();
    EXPECT_TRUE(WaitUntil([&] { return radio.err().find("ms late") != std::string::npos; }));
    // The user reads the box for a while: a session going on behind it
    // would now be writing or reading.
    std::this_thread::sleep_for(2s);
    EXPECT_EQ(Window("^KV-3\\(T2\\)$"), box);
    ASSERT_NO_FATAL_FAILURE(Type(box, "Return"));
    ASSERT_TRUE(WaitUntil([&] { return Window("^KV-3\\(T2\\)$").empty(); }));
    ASSERT_NO_FATAL_FAILURE(StartSession(radio, "ctrl+r", 2));
    EXPECT_TRUE(WaitUntil([&] {
      return radio.err().find("16 read requests") != std::string::npos;
    })) << radio.err();
    lines = radio.endByteLines();
  }

  pid_t programmer_ = -1;
  std::string main_;
};

TEST_F(ErrorBox, AWriteThatTimedOutSendsNoBlockBehindTheBoxAndOneEndByte) {
  std::string lines;
  ASSERT_NO_FATAL_FAILURE(TimeOutBehindTheBox("ctrl+w", lines));
  std::smatch m;
  ASSERT_TRUE(std::regex_search(lines, m, std::regex("after 0 read requests and (\\d+) write")))
      << lines;
  EXPECT_LT(std::stoi(m[1]), 46) << lines;
  // The write's one end byte, then the read's.
  EXPECT_EQ(Count(lines, "end byte"), 2) << lines;
  EXPECT_EQ(Count(lines, "after 16 read requests and 0 write blocks"), 1) << lines;
}

TEST_F(ErrorBox, AReadThatTimedOutNeitherCompletesBehindTheBoxNorKeepsABackup) {
  std::string lines;
  ASSERT_NO_FATAL_FAILURE(TimeOutBehindTheBox("ctrl+r", lines));
  std::smatch m;
  ASSERT_TRUE(std::regex_search(lines, m, std::regex("after (\\d+) read requests"))) << lines;
  EXPECT_LT(std::stoi(m[1]), 16) << lines;
  EXPECT_EQ(Count(lines, "end byte"), 2) << lines;
  // The backup of the second read only.
  EXPECT_TRUE(WaitUntil([&] { return Backups() >= 1; }));
  EXPECT_EQ(Backups(), 1);
}

}  // namespace
}  // namespace kv3::e2e
