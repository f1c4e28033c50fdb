// kv3ctl clone against several kv3-radio-sim radios on pseudo-terminals.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editor/demo.h"
#include "image/codec.h"
#include "image/codeplug_file.h"

namespace {

namespace fs = std::filesystem;

const std::string kKv3ctl = KV3_BINARY_DIR "/tools/kv3ctl/kv3ctl";
const std::string kRadioSim = KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim";

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// One kv3-radio-sim child; SIGTERM makes it save its memory (--save).
class Sim {
 public:
  explicit Sim(const std::vector<std::string>& options) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv{const_cast<char*>(kRadioSim.c_str())};
      for (const auto& o : options) argv.push_back(const_cast<char*>(o.c_str()));
      argv.push_back(nullptr);
      execv(kRadioSim.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    FILE* f = fdopen(out[0], "r");
    char line[256] = {};
    if (f && std::fgets(line, sizeof line, f)) device_ = line;
    if (!device_.empty() && device_.back() == '\n') device_.pop_back();
    if (f) std::fclose(f);
  }
  ~Sim() { Stop(); }
  const std::string& device() const { return device_; }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  std::string device_;
};

class CloneE2e : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("kv3_clone_e2e_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  int Run(const std::string& arguments, std::string& out, std::string& err) {
    std::string command =
        kKv3ctl + " clone " + arguments + " </dev/null >" + Path("out") + " 2>" + Path("err");
    int status = std::system(command.c_str());
    out = Slurp(Path("out"));
    err = Slurp(Path("err"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
};

TEST_F(CloneE2e, ASilentRadioFailsTheOthersAreWritten) {
  kv3::EditorState state = kv3::DemoState();
  state.grid.channels[8].rx = state.grid.channels[8].tx = kv3::Freq4FromUnits(44412500);
  const kv3::MemoryImage image = kv3::EncodeImage(state);
  ASSERT_TRUE(kv3::SaveCodeplug(Path("fleet.DAT"), image).ok());

  Sim a({"--fast", "--save", Path("a.DAT")});
  Sim silent({"--fast", "--silent-from", "0"});
  Sim b({"--fast", "--save", Path("b.DAT")});
  ASSERT_FALSE(a.device().empty());
  ASSERT_FALSE(silent.device().empty());
  ASSERT_FALSE(b.device().empty());

  std::string out, err;
  int code = Run(Path("fleet.DAT") + " --port " + a.device() + " --port " + silent.device() +
                     " --port " + b.device() + " --verify",
                 out, err);
  EXPECT_EQ(code, 1) << out << err;

  // The summary: a header and one line per port in the order given.
  std::vector<std::string> lines;
  std::istringstream table(out);
  for (std::string line; std::getline(table, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 4u) << out;
  EXPECT_EQ(lines[0].rfind("port", 0), 0u);
  EXPECT_EQ(lines[1].rfind(a.device(), 0), 0u);
  EXPECT_NE(lines[1].find("written and verified"), std::string::npos);
  EXPECT_NE(lines[2].find("time-out"), std::string::npos);
  EXPECT_NE(lines[3].find("written and verified"), std::string::npos);
  // A progress line per radio; the failed one says why.
  for (const Sim* s : {&a, &silent, &b}) EXPECT_NE(err.find(s->device()), std::string::npos);
  EXPECT_NE(err.find("Communication error"), std::string::npos);

  a.Stop();
  b.Stop();
  for (const char* saved : {"a.DAT", "b.DAT"}) {
    kv3::MemoryImage radio{};
    ASSERT_TRUE(kv3::LoadCodeplug(Path(saved), radio).ok()) << saved;
    // The channels and everything else a write sends arrived.
    for (int address = 0x10; address < 0x180; ++address)
      ASSERT_EQ(radio[kv3::At(address)], image[kv3::At(address)]) << saved << " " << address;
  }
}

TEST_F(CloneE2e, AllRadiosWrittenExitZeroAndThePowerBlockOnlyWithTuning) {
  kv3::EditorState state = kv3::DemoState();
  state.shared.TxPowerHighLevel = 33;
  ASSERT_TRUE(kv3::SaveCodeplug(Path("fleet.DAT"), kv3::EncodeImage(state)).ok());
  Sim a({"--fast", "--save", Path("a.DAT")});
  Sim b({"--fast", "--save", Path("b.DAT")});
  std::string out, err;
  EXPECT_EQ(Run(Path("fleet.DAT") + " --port " + a.device() + " --port " + b.device(), out, err), 0)
      << out << err;
  a.Stop();
  kv3::MemoryImage radio{};
  ASSERT_TRUE(kv3::LoadCodeplug(Path("a.DAT"), radio).ok());
  EXPECT_NE(radio[kv3::At(387)], 33);

  Sim c({"--fast", "--save", Path("c.DAT")});
  EXPECT_EQ(Run(Path("fleet.DAT") + " --tuning --port " + c.device(), out, err), 0) << err;
  c.Stop();
  ASSERT_TRUE(kv3::LoadCodeplug(Path("c.DAT"), radio).ok());
  EXPECT_EQ(radio[kv3::At(387)], 33);
}

TEST_F(CloneE2e, APortThatDoesNotOpenIsAFailedRadio) {
  ASSERT_TRUE(kv3::SaveCodeplug(Path("fleet.DAT"), kv3::EncodeImage(kv3::DemoState())).ok());
  Sim a({"--fast"});
  std::string out, err;
  EXPECT_EQ(
      Run(Path("fleet.DAT") + " --port " + a.device() + " --port " + Path("no-such-tty"), out, err),
      1);
  EXPECT_NE(out.find("written"), std::string::npos) << out;
  EXPECT_NE(out.find("port does not open"), std::string::npos) << out;
  EXPECT_EQ(Run(Path("fleet.DAT") + " --port sim --port sim", out, err), 2);
}

}  // namespace
