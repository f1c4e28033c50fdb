#include "platform/interrupts.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace kv3 {

static_assert(SIGHUP == kHangUpSignal && SIGINT == kInterruptSignal && SIGTERM == kTerminateSignal);

namespace {

// The handler's only ways out: the first signal's number, and a byte on a
// pipe whose other end the event loop watches.
volatile std::sig_atomic_t caughtSignal = 0;
int signalPipe[2] = {-1, -1};

void OnSignal(int number) {
  int saved = errno;
  if (caughtSignal == 0) caughtSignal = number;
  unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

bool CatchInterrupts() {
  if (signalPipe[0] >= 0) return true;
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(number, &action, nullptr);
  return true;
}

int CaughtInterrupt() {
  return caughtSignal;
}

std::intptr_t InterruptNotifier() {
  return signalPipe[0];
}

void QuietInterruptNotifier() {
  unsigned char buf[64];
  while (signalPipe[0] >= 0 && ::read(signalPipe[0], buf, sizeof buf) > 0) {
  }
}

std::optional<std::string> ReadInputLine() {
  std::string line;
  for (;;) {
    if (caughtSignal) return std::nullopt;
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    int count = signalPipe[0] >= 0 ? 2 : 1;
    if (::poll(fds, static_cast<nfds_t>(count), -1) < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (caughtSignal) return std::nullopt;
    if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    char c = 0;
    ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
    if (c == '\n') return line;
    line.push_back(c);
  }
}

}  // namespace kv3
