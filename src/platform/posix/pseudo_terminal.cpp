#include "platform/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace kv3 {

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void OnStopSignal(int) {
  stopRequested = 1;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
  Close();
}

void PseudoTerminal::Close() {
  if (master_ >= 0) ::close(master_);
  if (device_ >= 0) ::close(device_);
  master_ = device_ = -1;
}

bool PseudoTerminal::Open(std::string& error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  const char* name = nullptr;
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      !(name = ::ptsname(master_)) || (device_ = ::open(name, O_RDWR | O_NOCTTY)) < 0) {
    error = std::strerror(errno);
    return false;
  }
  path_ = name;
  termios t{};
  if (::tcgetattr(device_, &t) == 0) {
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    ::tcsetattr(device_, TCSANOW, &t);
  }
  return true;
}

long PseudoTerminal::Read(uint8_t* buffer, size_t size, int timeoutMs) {
  pollfd p{master_, POLLIN, 0};
  int ready = ::poll(&p, 1, timeoutMs);
  if (ready < 0) return errno == EINTR ? 0 : -1;
  if (ready == 0 || !(p.revents & POLLIN)) return 0;
  ssize_t n = ::read(master_, buffer, size);
  if (n <= 0) {
    if (n < 0 && errno == EINTR) return 0;
    ::usleep(10000);  // no program has the device open at the moment
    return 0;
  }
  return static_cast<long>(n);
}

bool PseudoTerminal::Write(const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

void CatchStopRequests() {
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  ::sigaction(SIGINT, &sa, nullptr);
  ::sigaction(SIGTERM, &sa, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

bool StopRequested() {
  return stopRequested != 0;
}

}  // namespace kv3
