// An advisory lock a process holds on a file for as long as it lives: the
// system lets it go when the process ends, however it ends (a crash, a kill),
// so a free lock tells that its holder is gone.
#pragma once

#include <cstdint>
#include <string>

namespace kv3 {

// This process's id in the system (a name of its own for a file, together
// with its start time: ids are used again).
int64_t CurrentProcessId();

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { Release(); }
  FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
  FileLock& operator=(FileLock&& other) noexcept {
    if (this != &other) {
      Release();
      handle_ = other.handle_;
      other.handle_ = kNone;
    }
    return *this;
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock of path (the file is made when missing) without waiting.
  // False when another holder, of this process or another, has it, or when
  // the file cannot be opened.
  bool TryLock(const std::string& path);
  bool held() const { return handle_ != kNone; }
  void Release();

 private:
  // A file descriptor (POSIX) or a HANDLE (Windows).
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;
};

}  // namespace kv3
