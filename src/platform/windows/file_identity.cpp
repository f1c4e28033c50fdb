#include "platform/file_identity.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "platform/windows/wide_text.h"

namespace kv3 {

namespace {

// The volume and the file's index on it: what tells a file on Windows.
struct Identity {
  DWORD volume;
  DWORD high;
  DWORD low;
  bool operator==(const Identity&) const = default;
};

std::optional<Identity> IdentityOf(const std::string& path) {
  HANDLE h = ::CreateFileW(WideText(path).c_str(), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(h, &info) != 0;
  ::CloseHandle(h);
  if (!known) return std::nullopt;
  return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
  const auto ia = IdentityOf(a);
  const auto ib = IdentityOf(b);
  return ia && ib && *ia == *ib;
}

}  // namespace kv3
