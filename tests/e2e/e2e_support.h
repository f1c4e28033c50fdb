// What the end-to-end tests share: the programs under test as child
// processes (kv3ctl, kv3-radio-sim on its pseudo-terminal), their outputs and
// exit codes, and a folder of files per test.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "image/image.h"

namespace kv3::e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

inline const std::string kKv3ctl = KV3_BINARY_DIR "/tools/kv3ctl/kv3ctl";
inline const std::string kRadioSim = KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim";
inline const std::string kDemo = KV3_SOURCE_DIR "/data/demo.DAT";

std::string ReadFile(const fs::path& path);
void WriteFile(const fs::path& path, const std::string& bytes);
// How often `what` occurs in `text`.
int Count(const std::string& text, const std::string& what);
// The codeplug of a file; a failed load fails the test.
MemoryImage LoadImage(const fs::path& path);

// Whether a write sends the block of `address` (tuning: the power block too).
bool Written(int address, bool tuning);

// Starts argv[0] with stdin from /dev/null, stdout into a file or the pipe
// `stdoutPipe` (>= 0; kClosedStdout: no stdout at all), stderr into a file
// ("" keeps the test's own), and extra "NAME=value" environment variables.
inline constexpr int kClosedStdout = -2;
pid_t Spawn(const std::vector<std::string>& argv, const std::string& stdoutPath, int stdoutPipe,
            const std::string& stderrPath, const std::vector<std::string>& environment = {});
// The child's exit code; -1 when a signal ended it, -2 when it outlived the
// limit (it is killed then).
int WaitFor(pid_t pid, std::chrono::milliseconds limit);

// kv3-radio-sim on a new pseudo-terminal, whose path it prints first.
// --verbose makes it report every end byte on stderr; --save keeps its memory
// when it is stopped (SIGTERM).
class RadioSim {
 public:
  explicit RadioSim(std::vector<std::string> options, std::string errPath = "");
  RadioSim(const RadioSim&) = delete;
  RadioSim& operator=(const RadioSim&) = delete;
  ~RadioSim() { Stop(); }

  const std::string& device() const { return device_; }
  std::string err() const { return ReadFile(errPath_); }
  int endBytes() const { return Count(err(), "end byte after"); }
  // The lines of err() that report an end byte, in order.
  std::string endByteLines() const;
  // Waits (with --verbose) until the radio has seen the start of its n-th
  // session; false when that did not happen within the limit.
  bool WaitForSessionStart(int n = 1, std::chrono::milliseconds limit = 30s) const;
  int Stop();         // SIGTERM; its exit code
  int WaitForExit();  // the sim ends by itself (it went away)
  void Kill();        // SIGKILL: nothing of its own is closed or saved

 private:
  pid_t pid_ = -1;
  std::string device_;
  std::string errPath_;
};

struct Result {
  int code = -1;
  std::string out, err;
};

// kv3ctl running in the background; its outputs go to files.
class Kv3ctlProcess {
 public:
  Kv3ctlProcess(const std::vector<std::string>& args, std::string outPath, std::string errPath,
                const std::vector<std::string>& environment = {});
  // The exit code; a run that hangs is killed after the limit (-2).
  int Wait(std::chrono::milliseconds limit = 30s);
  pid_t pid() const { return pid_; }
  std::string out() const { return ReadFile(out_); }
  std::string err() const { return ReadFile(err_); }

 private:
  pid_t pid_ = -1;
  int code_ = -100;
  std::string out_, err_;
};

// Waits until `ready` holds, checking it every few milliseconds; false when
// it did not within the limit.
bool WaitUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit = 30s);

// Runs kv3ctl to its end with stdin from /dev/null.
Result Kv3ctl(const std::vector<std::string>& args, const std::vector<std::string>& env = {});
// The same with the arguments split at blanks.
Result Kv3ctl(const std::string& args, const std::vector<std::string>& env = {});
// kv3ctl on a pseudo-terminal: waits for `prompt`, types `answer`; `out` is
// everything the terminal showed.
Result Kv3ctlOnTerminal(const std::vector<std::string>& args, const std::string& prompt,
                        const std::string& answer);

// A fresh folder per test, removed after a test that passed.
class E2eTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

}  // namespace kv3::e2e
