// Cloning one codeplug into four kv3-radio-sim radios at the 9600-baud line
// rate against writing it into one: kv3ctl clone and kv3ctl write as the
// user runs them. Prints the median of each and their ratio (target: at
// most 1.1); exits 1 when the target is missed.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "image/codeplug_file.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kKv3ctl = KV3_BINARY_DIR "/tools/kv3ctl/kv3ctl";
const std::string kRadioSim = KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim";

struct Sim {
  pid_t pid = -1;
  std::string device;
};

Sim StartSim() {
  Sim sim;
  int out[2];
  if (pipe(out) != 0) return sim;
  sim.pid = fork();
  if (sim.pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    execl(kRadioSim.c_str(), kRadioSim.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  FILE* f = fdopen(out[0], "r");
  char line[256] = {};
  if (f && std::fgets(line, sizeof line, f)) sim.device = line;
  if (!sim.device.empty() && sim.device.back() == '\n') sim.device.pop_back();
  if (f) std::fclose(f);
  return sim;
}

// Runs kv3ctl with the arguments; returns the seconds, or -1 when it failed.
double Time(const std::vector<std::string>& arguments) {
  auto start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv{const_cast<char*>(kKv3ctl.c_str())};
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    freopen("/dev/null", "w", stdout);
    freopen("/dev/null", "w", stderr);
    execv(kKv3ctl.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char dir[] = "/tmp/kv3-bench-clone-XXXXXX";
  if (!mkdtemp(dir)) return 2;
  std::string file = std::string(dir) + "/fleet.DAT";
  if (!kv3::SaveCodeplug(file, kv3::EncodeImage(kv3::DemoState())).ok()) return 2;

  std::vector<Sim> sims;
  for (int k = 0; k < 4; ++k) sims.push_back(StartSim());
  for (const Sim& s : sims)
    if (s.device.empty()) return 2;

  std::vector<double> one, four;
  for (int r = 0; r < rounds; ++r) {
    double w = Time({"write", file, "--port", sims[0].device, "--yes"});
    double c = Time({"clone", file, "--port", sims[0].device, "--port", sims[1].device, "--port",
                     sims[2].device, "--port", sims[3].device, "--yes"});
    if (w < 0 || c < 0) {
      std::fprintf(stderr, "bench_clone: a session failed (round %d)\n", r + 1);
      return 2;
    }
    one.push_back(w);
    four.push_back(c);
  }
  for (const Sim& s : sims) {
    kill(s.pid, SIGTERM);
    waitpid(s.pid, nullptr, 0);
  }
  unlink(file.c_str());
  rmdir(dir);

  double w = Median(one), c = Median(four), ratio = c / w;
  std::printf("write to one radio:     %.3f s (median of %d)\n", w, rounds);
  std::printf("clone to four radios:   %.3f s (median of %d)\n", c, rounds);
  std::printf("ratio:                  %.3f (target <= 1.10) %s\n", ratio,
              ratio <= 1.10 ? "met" : "MISSED");
  return ratio <= 1.10 ? 0 : 1;
}
