#include "e2e_support.h"

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "image/codeplug_file.h"

namespace kv3::e2e {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

MemoryImage LoadImage(const fs::path& path) {
  MemoryImage image{};
  EXPECT_TRUE(LoadCodeplug(path.string(), image).ok()) << path;
  return image;
}

bool Written(int address, bool tuning) {
  int block = address & ~15;
  if (block < 0x0010 || block >= 0x0360) return false;
  if (block >= 0x0190 && block < 0x01B0) return false;
  if (block >= 0x01C0 && block < 0x0200) return false;
  return block != 0x0180 || tuning;
}

namespace {

std::vector<char*> Argv(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

pid_t Spawn(const std::vector<std::string>& argv, const std::string& stdoutPath, int stdoutPipe,
            const std::string& stderrPath, const std::vector<std::string>& environment) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  int in = open("/dev/null", O_RDONLY);
  int out = stdoutPipe >= 0 ? stdoutPipe
            : stdoutPipe == kClosedStdout
                ? 1
                : open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int err = stderrPath.empty() ? 2 : open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (in < 0 || out < 0 || err < 0) _exit(126);
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  if (stdoutPipe == kClosedStdout) close(1);
  for (const auto& e : environment) putenv(const_cast<char*>(e.c_str()));
  execv(argv[0].c_str(), Argv(argv).data());
  _exit(127);
}

int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (r < 0) return -3;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -2;
    }
    std::this_thread::sleep_for(5ms);
  }
}

RadioSim::RadioSim(std::vector<std::string> options, std::string errPath)
    : errPath_(std::move(errPath)) {
  int fds[2];
  if (pipe(fds) != 0) return;
  options.insert(options.begin(), kRadioSim);
  pid_ = Spawn(options, {}, fds[1], errPath_);
  close(fds[1]);
  FILE* f = fdopen(fds[0], "r");
  char line[256] = {};
  if (f && std::fgets(line, sizeof line, f)) device_ = line;
  if (!device_.empty() && device_.back() == '\n') device_.pop_back();
  if (f) std::fclose(f);
}

std::string RadioSim::endByteLines() const {
  std::istringstream lines(err());
  std::string kept;
  for (std::string line; std::getline(lines, line);)
    if (line.find("end byte after") != std::string::npos) kept += line + "\n";
  return kept;
}

bool RadioSim::WaitForSessionStart(int n, std::chrono::milliseconds limit) const {
  const std::string marker = "session " + std::to_string(n) + " started";
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (err().find(marker) == std::string::npos) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(2ms);
  }
  return true;
}

int RadioSim::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  return WaitForExit();
}

int RadioSim::WaitForExit() {
  if (pid_ <= 0) return -1;
  int code = WaitFor(pid_, 10s);
  pid_ = -1;
  return code;
}

void RadioSim::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  WaitForExit();
}

Kv3ctlProcess::Kv3ctlProcess(const std::vector<std::string>& args, std::string outPath,
                             std::string errPath, const std::vector<std::string>& environment)
    : out_(std::move(outPath)), err_(std::move(errPath)) {
  std::vector<std::string> argv{kKv3ctl};
  argv.insert(argv.end(), args.begin(), args.end());
  pid_ = Spawn(argv, out_, -1, err_, environment);
}

int Kv3ctlProcess::Wait(std::chrono::milliseconds limit) {
  if (code_ == -100) code_ = WaitFor(pid_, limit);
  return code_;
}

bool WaitUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(2ms);
  }
  return true;
}

Result Kv3ctl(const std::vector<std::string>& args, const std::vector<std::string>& env) {
  static int counter = 0;
  std::string base = (fs::temp_directory_path() /
                      ("kv3_e2e_run_" + std::to_string(getpid()) + "_" + std::to_string(counter++)))
                         .string();
  Kv3ctlProcess run(args, base + ".out", base + ".err", env);
  Result r{run.Wait(60s), run.out(), run.err()};
  fs::remove(base + ".out");
  fs::remove(base + ".err");
  return r;
}

Result Kv3ctl(const std::string& args, const std::vector<std::string>& env) {
  std::vector<std::string> split;
  std::istringstream words(args);
  for (std::string word; words >> word;) split.push_back(word);
  return Kv3ctl(split, env);
}

Result Kv3ctlOnTerminal(const std::vector<std::string>& args, const std::string& prompt,
                        const std::string& answer) {
  int master = -1;
  pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    std::vector<std::string> argv{kKv3ctl};
    argv.insert(argv.end(), args.begin(), args.end());
    execv(kKv3ctl.c_str(), Argv(argv).data());
    _exit(127);
  }
  Result r;
  char buf[512];
  while (r.out.find(prompt) == std::string::npos) {
    ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) break;
    r.out.append(buf, static_cast<size_t>(n));
  }
  EXPECT_EQ(write(master, answer.data(), answer.size()), static_cast<ssize_t>(answer.size()));
  for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;)
    r.out.append(buf, static_cast<size_t>(n));
  close(master);
  r.code = WaitFor(pid, 30s);
  return r;
}

void E2eTest::SetUp() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  dir_ = fs::temp_directory_path() / ("kv3_e2e_" + std::to_string(getpid()) + "_" +
                                      test->test_suite_name() + "_" + test->name());
  fs::remove_all(dir_);
  fs::create_directories(dir_);
}

void E2eTest::TearDown() {
  if (!HasFailure()) fs::remove_all(dir_);
}

}  // namespace kv3::e2e
