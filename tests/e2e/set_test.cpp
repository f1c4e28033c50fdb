// kv3ctl set as a program: edits on a codeplug file, refusals that leave the
// file untouched, and the band question on a pipe and on a terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kKv3ctl = KV3_BINARY_DIR "/tools/kv3ctl/kv3ctl";

struct ProgramRun {
  int code = -1;
  std::string out;
  std::string err;
};

std::string Slurp(int fd) {
  std::string s;
  char buf[4096];
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) s.append(buf, static_cast<size_t>(n));
  return s;
}

// Runs kv3ctl with stdin from /dev/null (not a terminal).
ProgramRun Kv3ctl(const std::vector<std::string>& args) {
  int out[2], err[2];
  EXPECT_EQ(pipe(out), 0);
  EXPECT_EQ(pipe(err), 0);
  pid_t pid = fork();
  if (pid == 0) {
    int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    close(out[0]);
    close(err[0]);
    std::vector<char*> argv{const_cast<char*>(kKv3ctl.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  ProgramRun r;
  r.out = Slurp(out[0]);  // the outputs are small: reading one after the other is safe
  r.err = Slurp(err[0]);
  close(out[0]);
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SetCommand : public ::testing::Test {
 protected:
  SetCommand() {
    dir = fs::temp_directory_path() / ("kv3-set-" + std::to_string(getpid()));
    fs::create_directories(dir);
    file = (dir / "radio.DAT").string();
    EXPECT_EQ(Kv3ctl({"new", "-o", file}).code, 0);
  }
  ~SetCommand() override { fs::remove_all(dir); }

  // The grid row of a channel as `show` prints it, blanks squeezed.
  std::string Row(int channel, const std::string& lang = "en") {
    ProgramRun r = Kv3ctl({"show", file, "--lang", lang});
    std::istringstream lines(r.out);
    std::string line;
    for (int i = 0; i <= channel && std::getline(lines, line);) ++i;
    std::string squeezed;
    for (char c : line)
      if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed.push_back(c);
    return squeezed;
  }
  // A refusal: exit 4, the message, and the file byte for byte as before.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
    std::string before = ReadFile(file);
    std::vector<std::string> full{"set", file};
    full.insert(full.end(), args.begin(), args.end());
    ProgramRun r = Kv3ctl(full);
    EXPECT_EQ(r.code, 4) << args[0] << " " << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(file), before);
  }

  fs::path dir;
  std::string file;
};

TEST_F(SetCommand, EditsAChannelAsTypedIntoTheGrid) {
  ProgramRun r = Kv3ctl({"set", file, "--channel", "3", "--rx", "435.12346", "--rx-tone", "d23n",
                         "--power", "low", "--tx-tone", "67"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Row(3), "03 435.12000 D023N 435.12000 67.0 Low Off Wide Have");

  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "3", "--rx", "479.99999", "--forbid", "carrier",
                    "--bandwidth", "narrow", "--scan", "no", "--tx-tone", "Off"})
                .code,
            0);
  EXPECT_EQ(Row(3), "03 479.99500 D023N 435.12000 Off Low Carrow Narrow No");
  EXPECT_EQ(Row(3, "zh-Hant"), "03 479.99500 D023N 435.12000 關閉 低 載波 窄帶 無");

  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "3", "--clear"}).code, 0);
  EXPECT_EQ(Row(3), "03");
}

TEST_F(SetCommand, RefusedValuesLeaveTheFileUntouched) {
  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "1", "--rx", "438.125"}).code, 0);
  ExpectRefused({"--channel", "1", "--rx", "480"}, "Beyond the frequency range");
  ExpectRefused({"--channel", "1", "--rx", "480", "--lang", "zh-Hans"}, "超出频段范围");
  ExpectRefused({"--channel", "1", "--rx", "1.2.3"}, "not a frequency");
  ExpectRefused({"--channel", "1", "--rx", "-438"}, "only digits");
  ExpectRefused({"--channel", "1", "--tx", ""}, "cannot be emptied");
  ExpectRefused({"--channel", "2", "--tx", "438"}, "channel 2 is empty");
  ExpectRefused({"--channel", "1", "--rx-tone", "D999N"}, "no tone");
  ExpectRefused({"--channel", "1", "--rx-tone", "254.2"}, "no tone");
  ExpectRefused({"--channel", "1", "--power", "max"}, "low or high");
  // A later refusal undoes the earlier edits of the same call.
  ExpectRefused({"--channel", "1", "--rx", "440", "--tx-tone", "x"}, "tone cell");
  EXPECT_EQ(Kv3ctl({"set", file, "--rx", "440"}).code, 2);
  EXPECT_EQ(Kv3ctl({"set", file, "--channel", "17", "--rx", "440"}).code, 2);
}

TEST_F(SetCommand, BandChangeNeedsAnAnswer) {
  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "1", "--rx", "438.125"}).code, 0);
  ExpectRefused({"--band", "5"}, "declined");
  // The band already in force asks nothing.
  ASSERT_EQ(Kv3ctl({"set", file, "--band", "400-480MHz"}).code, 0);
  EXPECT_EQ(Row(1), "01 438.12500 Off 438.12500 Off Hight Off Wide Have");

  ProgramRun r =
      Kv3ctl({"set", file, "--band", "5", "--yes", "--channel", "2", "--rx", "136.0125"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Row(1), "01");
  EXPECT_EQ(Row(2), "02 136.01250 Off 136.01250 Off Hight Off Wide Have");
  ProgramRun show = Kv3ctl({"show", file});
  EXPECT_NE(show.out.find("136-174MHz"), std::string::npos);
}

// Answers the band question on a pseudo-terminal; returns the exit code and
// what the terminal showed.
ProgramRun OnTerminal(const std::vector<std::string>& args, const std::string& answer) {
  int master = -1;
  pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    std::vector<char*> argv{const_cast<char*>(kKv3ctl.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  ProgramRun r;
  char buf[512];
  while (r.out.find("[y/N]") == std::string::npos) {
    ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) break;
    r.out.append(buf, static_cast<size_t>(n));
  }
  EXPECT_EQ(write(master, answer.data(), answer.size()), static_cast<ssize_t>(answer.size()));
  for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;)
    r.out.append(buf, static_cast<size_t>(n));
  close(master);
  int status = 0;
  waitpid(pid, &status, 0);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TEST_F(SetCommand, TerminalGetsTheQuestion) {
  ASSERT_EQ(Kv3ctl({"set", file, "--channel", "1", "--rx", "438.125"}).code, 0);
  std::string before = ReadFile(file);
  ProgramRun no = OnTerminal({"set", file, "--band", "6"}, "n\n");
  EXPECT_EQ(no.code, 4);
  EXPECT_NE(no.out.find("Change frequency channel list will remove, sure?"), std::string::npos);
  EXPECT_EQ(ReadFile(file), before);

  ProgramRun yes = OnTerminal({"set", file, "--band", "6", "--lang", "zh-Hans"}, "y\n");
  EXPECT_EQ(yes.code, 0) << yes.out;
  EXPECT_NE(yes.out.find("改变频段将清除频道列表，确定吗？"), std::string::npos);
  EXPECT_EQ(Row(1), "01");
}

}  // namespace
