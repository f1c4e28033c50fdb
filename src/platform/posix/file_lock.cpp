#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kv3 {

int64_t CurrentProcessId() {
  return static_cast<int64_t>(::getpid());
}

bool FileLock::TryLock(const std::string& path) {
  Release();
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  // flock belongs to this open file: a second open of the same file, even in
  // this process, does not get it.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

void FileLock::Release() {
  if (handle_ == kNone) return;
  ::close(static_cast<int>(handle_));  // closing lets the lock go
  handle_ = kNone;
}

}  // namespace kv3
