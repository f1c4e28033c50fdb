#include "platform/terminal.h"

#include <fcntl.h>
#include <io.h>

namespace kv3 {

bool IsTerminal(int stream) {
  return ::_isatty(stream) != 0;
}

void KeepClosedStandardOutputClosed() {
  if (::_get_osfhandle(kStandardOutput) != -1) return;
  int fd = ::_open("NUL", _O_RDONLY | _O_BINARY);
  if (fd >= 0 && fd != kStandardOutput) {
    ::_dup2(fd, kStandardOutput);
    ::_close(fd);
  }
}

}  // namespace kv3
