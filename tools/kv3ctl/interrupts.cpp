#include "interrupts.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <map>
#include <memory>

#include "radio_session.h"

namespace kv3ctl {

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

std::map<int, std::function<void()>>& Watchers() {
  static std::map<int, std::function<void()>> watchers;
  return watchers;
}

void Notify() {
  unsigned char buf[64];
  while (::read(signalPipe[0], buf, sizeof buf) > 0) {
  }
  // A watcher may end a session, whose handlers may unwatch: call a copy.
  auto watchers = Watchers();
  for (auto& [id, fn] : watchers)
    if (Watchers().count(id)) fn();
}

}  // namespace

void CatchInterrupts() {
  EnsureEventLoop();
  if (signalPipe[0] >= 0) return;
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  static std::unique_ptr<QSocketNotifier> notifier;
  notifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [] { Notify(); });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(number, &action, nullptr);
}

int InterruptSignal() {
  return caughtSignal;
}

int InterruptExitCode() {
  return 128 + caughtSignal;
}

std::string InterruptName() {
  switch (caughtSignal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    default:
      return "signal " + std::to_string(caughtSignal);
  }
}

int WatchInterrupts(std::function<void()> fn) {
  static int next = 0;
  Watchers()[++next] = std::move(fn);
  return next;
}

void UnwatchInterrupts(int id) {
  Watchers().erase(id);
}

std::optional<std::string> ReadAnswerLine() {
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

}  // namespace kv3ctl
