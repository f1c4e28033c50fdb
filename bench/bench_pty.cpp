// A complete read and a complete write over a pseudo-terminal against
// kv3-radio-sim at the 9600-baud line rate. Prints the wire time (every byte
// of the session, both ways, 10 bits a byte), the measured time and their
// ratio (target: at most 1.05).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "link/session.h"

namespace {

using Clock = std::chrono::steady_clock;

// The session on a POSIX serial device, with a poll loop for its timers.
struct PtyLink : kv3::SessionEnvironment, kv3::SessionListener {
  int fd = -1;
  kv3::ProgrammingSession session{*this, *this};
  kv3::MemoryImage image = kv3::EncodeImage(kv3::DemoState());
  size_t sent = 0, received = 0;
  bool ended = false;

  bool PortIsOpen() const override { return fd >= 0; }
  int BandIndex() const override { return 0; }
  kv3::MemoryImage ImageToWrite() const override { return image; }
  bool TuningUnlocked() const override { return false; }
  void SendBytes(std::span<const uint8_t> bytes) override {
    sent += bytes.size();
    if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
      std::perror("write");
  }
  void SessionEnded(kv3::SessionOutcome) override { ended = true; }

  // Runs a session; returns the seconds from its start to its end byte.
  double Run(bool read) {
    ended = false;
    sent = received = 0;
    auto start = Clock::now();
    auto nextTick = start + std::chrono::milliseconds(kv3::kTimeoutTickMs);
    read ? session.StartRead() : session.StartWrite();
    uint8_t buffer[1024];
    while (!ended) {
      auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - Clock::now());
      pollfd p{fd, POLLIN, 0};
      int ready = poll(&p, 1, static_cast<int>(std::max<long>(0, wait.count())));
      if (ready > 0) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
          received += static_cast<size_t>(n);
          session.OnReceive(std::span<const uint8_t>(buffer, static_cast<size_t>(n)));
        }
      }
      if (Clock::now() >= nextTick) {
        session.OnTimeoutTick();
        nextTick += std::chrono::milliseconds(kv3::kTimeoutTickMs);
      }
    }
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (int i = 0; i < kv3::kFinishTicks; ++i) session.OnBlinkTick();
    return seconds;
  }
};

}  // namespace

int main() {
  const char* sim = KV3_BINARY_DIR "/tools/radio-sim/kv3-radio-sim";
  int out[2];
  if (pipe(out) != 0) return 1;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    execl(sim, sim, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  char path[256] = {};
  FILE* f = fdopen(out[0], "r");
  if (!f || !std::fgets(path, sizeof path, f)) {
    std::fprintf(stderr, "bench_pty: %s did not start\n", sim);
    return 1;
  }
  std::string device(path);
  if (!device.empty() && device.back() == '\n') device.pop_back();

  PtyLink link;
  link.fd = open(device.c_str(), O_RDWR | O_NOCTTY);
  termios t{};
  tcgetattr(link.fd, &t);
  cfmakeraw(&t);
  cfsetispeed(&t, B9600);
  cfsetospeed(&t, B9600);
  tcsetattr(link.fd, TCSANOW, &t);

  int status = 0;
  std::printf("%-6s %8s %10s %10s %7s\n", "", "bytes", "wire s", "measured s", "ratio");
  for (bool read : {true, false}) {
    double measured = link.Run(read);
    bool ok = link.session.outcome() ==
              (read ? kv3::SessionOutcome::ReadComplete : kv3::SessionOutcome::WriteComplete);
    size_t bytes = link.sent + link.received;
    double wire = static_cast<double>(bytes) * 10.0 / 9600.0;
    std::printf("%-6s %8zu %10.3f %10.3f %7.3f%s\n", read ? "read" : "write", bytes, wire, measured,
                measured / wire, ok ? "" : "  (session failed)");
    if (!ok || measured / wire > 1.05) status = 1;
  }
  close(link.fd);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return status;
}
