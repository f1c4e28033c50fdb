// kv3ctl read and write against kv3-radio-sim over a real pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/demo.h"
#include "image/codec.h"
#include "image/codeplug_file.h"

namespace {

namespace fs = std::filesystem;

const std::string kKv3ctl = KV3_BINARY_DIR "/tools/kv3ctl/kv3ctl";
const std::string kRadioSim = KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim";
const std::string kDemo = KV3_SOURCE_DIR "/data/demo.DAT";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// kv3-radio-sim as a child process; stopped with SIGTERM (which saves).
class RadioSim {
 public:
  // errPath: where its stderr goes ("" for the test's own).
  explicit RadioSim(const std::vector<std::string>& options, const std::string& errPath = "") {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      if (!errPath.empty()) {
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(err, 2);
      }
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
  ~RadioSim() { Stop(); }
  const std::string& device() const { return device_; }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  std::string device_;
};

struct Result {
  int code = -1;
  std::string err, out;
};

Result Kv3ctl(const std::string& arguments, const std::string& environment = "") {
  static int counter = 0;
  std::string base = (fs::temp_directory_path() / ("kv3_radio_e2e_" + std::to_string(getpid()) +
                                                   "_" + std::to_string(counter++)))
                         .string();
  std::string command = environment + " " + kKv3ctl + " " + arguments + " </dev/null >" + base +
                        ".out 2>" + base + ".err";
  int status = std::system(command.c_str());
  Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(base + ".err"),
           ReadFile(base + ".out")};
  fs::remove(base + ".out");
  fs::remove(base + ".err");
  return r;
}

class RadioE2e : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("kv3_radio_e2e_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

bool Written(int address, bool tuning) {
  int block = address & ~15;
  if (block < 0x0010 || block >= 0x0360) return false;
  if (block >= 0x0190 && block < 0x01B0) return false;
  if (block >= 0x01C0 && block < 0x0200) return false;
  return block != 0x0180 || tuning;
}

TEST_F(RadioE2e, ReadAndWriteOverAPseudoTerminalByteForByte) {
  // A codeplug that differs from the radio's in written and unwritten places.
  kv3::EditorState edited = kv3::DemoState();
  edited.grid.channels[5].rx = kv3::Freq4FromUnits(43512500);
  edited.grid.channels[5].tx = kv3::Freq4FromUnits(43512500);
  edited.shared.TxPowerHighLevel = 17;  // the power block, written only with --tuning
  kv3::MemoryImage image = kv3::EncodeImage(edited);
  image[kv3::At(0x0195)] ^= 0xFF;  // never written
  ASSERT_TRUE(kv3::SaveCodeplug(Path("edited.DAT"), image).ok());
  kv3::MemoryImage demo;
  ASSERT_TRUE(kv3::LoadCodeplug(kDemo, demo).ok());

  for (bool tuning : {false, true}) {
    SCOPED_TRACE(tuning);
    std::string saved = Path(tuning ? "saved_t.DAT" : "saved.DAT");
    RadioSim sim({"--fast", "--verbose", "--image", kDemo, "--save", saved}, Path("sim.err"));
    ASSERT_FALSE(sim.device().empty());

    Result read = Kv3ctl("read --port " + sim.device() + " -o " + Path("read.DAT"));
    ASSERT_EQ(read.code, 0) << read.err;
    EXPECT_EQ(ReadFile(Path("read.DAT")), ReadFile(kDemo));
    EXPECT_NE(read.err.find("Read frequency success!"), std::string::npos) << read.err;

    Result write = Kv3ctl("write --port " + sim.device() + " " + Path("edited.DAT") +
                          (tuning ? " --tuning" : ""));
    ASSERT_EQ(write.code, 0) << write.err;
    EXPECT_NE(write.err.find("Write frequency success!"), std::string::npos) << write.err;
    ASSERT_EQ(sim.Stop(), 0);
    // Both sessions ended with the end byte, which kv3ctl must not lose on exit.
    EXPECT_EQ(ReadFile(Path("sim.err")),
              "kv3-radio-sim: end byte after 16 read requests and 0 write blocks\n"
              "kv3-radio-sim: end byte after 0 read requests and " +
                  std::string(tuning ? "47" : "46") + " write blocks\n");

    kv3::MemoryImage radio;
    ASSERT_TRUE(kv3::LoadCodeplug(saved, radio).ok());
    for (int a = kv3::kImageFirstAddress; a <= kv3::kImageLastAddress; ++a)
      ASSERT_EQ(radio[kv3::At(a)], Written(a, tuning) ? image[kv3::At(a)] : demo[kv3::At(a)])
          << "address " << a;
  }
}

TEST_F(RadioE2e, ReadAtLineRateInChinese) {
  RadioSim sim({"--image", kDemo});
  Result read = Kv3ctl("read --lang zh-Hans --port " + sim.device() + " -o " + Path("r.DAT"));
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_NE(read.err.find("读频成功！"), std::string::npos) << read.err;
  EXPECT_EQ(ReadFile(Path("r.DAT")), ReadFile(kDemo));
}

TEST_F(RadioE2e, AFailedReadLeavesTheFileAsItWas) {
  RadioSim sim({"--fast", "--wrong-id"});
  { std::ofstream(Path("old.DAT")) << "old contents"; }
  Result read = Kv3ctl("read --port " + sim.device() + " -o " + Path("old.DAT"));
  EXPECT_EQ(read.code, 1);
  EXPECT_NE(read.err.find("Communication error"), std::string::npos) << read.err;
  EXPECT_EQ(ReadFile(Path("old.DAT")), "old contents");
  Result fresh = Kv3ctl("read --port " + sim.device() + " -o " + Path("new.DAT"));
  EXPECT_EQ(fresh.code, 1);
  EXPECT_FALSE(fs::exists(Path("new.DAT")));
}

TEST_F(RadioE2e, BandQuestionWithoutATerminalDeclinesUnlessYes) {
  kv3::EditorState other = kv3::DemoState();
  kv3::SelectBandSilently(other.band, 2);
  ASSERT_TRUE(kv3::SaveCodeplug(Path("band2.DAT"), kv3::EncodeImage(other)).ok());
  RadioSim sim({"--fast", "--image", kDemo, "--save", Path("saved.DAT")});

  Result declined = Kv3ctl("write --port " + sim.device() + " " + Path("band2.DAT"));
  EXPECT_EQ(declined.code, 1);
  EXPECT_NE(declined.err.find("Frequency band with discrepancies, do you wish to continue?"),
            std::string::npos)
      << declined.err;
  Result yes = Kv3ctl("write --yes --port " + sim.device() + " " + Path("band2.DAT"));
  EXPECT_EQ(yes.code, 0) << yes.err;
  sim.Stop();
  kv3::MemoryImage radio;
  ASSERT_TRUE(kv3::LoadCodeplug(Path("saved.DAT"), radio).ok());
  EXPECT_EQ(radio[kv3::At(kv3::addr::kBandCode)],
            kv3::EncodeImage(other)[kv3::At(kv3::addr::kBandCode)]);
}

TEST_F(RadioE2e, ARadioThatGoesAwayEndsTheReadAtOnce) {
  // At line rate the read takes over a second; the radio vanishes in it.
  RadioSim sim({"--image", kDemo});
  std::string device = sim.device();
  std::string command = kKv3ctl + " read --port " + device + " -o " + Path("r.DAT") +
                        " </dev/null >/dev/null 2>" + Path("err");
  FILE* run = popen(command.c_str(), "r");
  ASSERT_NE(run, nullptr);
  usleep(400000);
  sim.Kill();
  int status = pclose(run);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::string err = ReadFile(Path("err"));
  EXPECT_NE(err.find("the device went away during the session"), std::string::npos) << err;
  EXPECT_NE(err.find("Communication error"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(Path("r.DAT")));
}

TEST_F(RadioE2e, PortMapPinsAComNumberToThePseudoTerminal) {
  RadioSim sim({"--fast"});
  fs::create_directories(dir_ / "config" / "KV-3");
  { std::ofstream(dir_ / "config" / "KV-3" / "ports") << "# test\nCOM7 " << sim.device() << "\n"; }
  std::string env = "XDG_CONFIG_HOME=" + (dir_ / "config").string();
  Result ports = Kv3ctl("ports", env);
  ASSERT_EQ(ports.code, 0) << ports.err;
  EXPECT_NE(ports.out.find("COM7   " + sim.device() + " (port map)  opens"), std::string::npos)
      << ports.out;
  Result read = Kv3ctl("read --port com7 -o " + Path("r.DAT"), env);
  EXPECT_EQ(read.code, 0) << read.err;
}

TEST_F(RadioE2e, ExitCodesOfBadPortsUsageAndFiles) {
  Result missing = Kv3ctl("read --port " + Path("no-such-device") + " -o " + Path("r.DAT"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("no such device"), std::string::npos) << missing.err;
  EXPECT_EQ(Kv3ctl("read -o " + Path("r.DAT")).code, 2);
  EXPECT_EQ(Kv3ctl("write --port sim").code, 2);
  EXPECT_EQ(Kv3ctl("read --port sim -o " + Path("r.DAT") + " --lang xx").code, 2);
  EXPECT_EQ(Kv3ctl("write --port sim " + Path("none.DAT")).code, 3);
  EXPECT_EQ(Kv3ctl("read --port sim -o " + Path("no/such/dir/r.DAT")).code, 3);
  EXPECT_FALSE(fs::exists(Path("r.DAT")));
}

TEST_F(RadioE2e, BuiltInSimulatedRadio) {
  Result read = Kv3ctl("read --port sim -o " + Path("x.DAT"));
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_EQ(ReadFile(Path("x.DAT")), ReadFile(kDemo));
  EXPECT_EQ(Kv3ctl("write --port sim " + Path("x.DAT")).code, 0);
}

}  // namespace
