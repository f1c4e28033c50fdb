#include "platform/terminal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace kv3 {

bool IsTerminal(int stream) {
  return ::isatty(stream) == 1;
}

void KeepClosedStandardOutputClosed() {
  if (::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF) {
    // Opened read-only, so that every write fails as on the closed one.
    int fd = ::open("/dev/null", O_RDONLY);
    if (fd >= 0 && fd != STDOUT_FILENO) {
      ::dup2(fd, STDOUT_FILENO);
      ::close(fd);
    }
  }
}

}  // namespace kv3
