#include "platform/file_lock.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace kv3 {

int64_t CurrentProcessId() {
  return static_cast<int64_t>(::GetCurrentProcessId());
}

bool FileLock::TryLock(const std::string& path) {
  Release();
  // Shared for deleting too, so that the file can be removed by the program
  // that takes what its late holder left.
  HANDLE h = ::CreateFileW(WideText(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  // A byte-range lock belongs to this handle: another handle of the same
  // file, even in this process, does not get it.
  OVERLAPPED at{};
  if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    ::CloseHandle(h);
    return false;
  }
  handle_ = reinterpret_cast<intptr_t>(h);
  return true;
}

void FileLock::Release() {
  if (handle_ == kNone) return;
  ::CloseHandle(reinterpret_cast<HANDLE>(handle_));  // closing lets the lock go
  handle_ = kNone;
}

}  // namespace kv3
