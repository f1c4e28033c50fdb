// An advisory lock a process holds on a file for as long as it lives: the
// system lets it go when the process ends, however it ends (a crash, a kill),
// so a free lock tells that its holder is gone.
#pragma once

#include <string>

namespace kv3 {

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { Release(); }
  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock of path (the file is made when missing) without waiting.
  // False when another holder, of this process or another, has it, or when
  // the file cannot be opened.
  bool TryLock(const std::string& path);
  bool held() const { return fd_ >= 0; }
  void Release();

 private:
  int fd_ = -1;
};

}  // namespace kv3
