#include "platform/atomic_file.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/windows/wide_text.h"

namespace kv3 {

namespace {

FileIoResult Fail(std::string detail) {
  return {true, std::move(detail), {}};
}

FileIoResult FailWithLastError() {
  return Fail(SystemErrorText(::GetLastError()));
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool Close() {
    if (!ok()) return true;
    bool closed = ::CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What a handle is when it is not a regular file, in words; "" for a file.
std::string KindOf(HANDLE h) {
  switch (::GetFileType(h)) {
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION info{};
      if (::GetFileInformationByHandle(h, &info) &&
          (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return "a folder";
      return {};
    }
    case FILE_TYPE_CHAR:
      return "a device";
    case FILE_TYPE_PIPE:
      return "a pipe";
    default:
      return "not a regular file";
  }
}

// The path a handle finally names (symbolic links and junctions followed).
std::wstring FinalPath(HANDLE h) {
  std::wstring path(MAX_PATH, L'\0');
  for (int tries = 0; tries < 2; ++tries) {
    DWORD n = ::GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(n + 1);
  }
  return {};
}

}  // namespace

FileIoResult ReadFileBounded(const std::string& path, size_t limit, std::string& bytes) {
  // A folder opens only with backup semantics: ask for them, to say what it is.
  Handle file(::CreateFileW(WideText(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.ok()) return FailWithLastError();
  // A pipe or a device could hold the read up for ever: only files are read.
  if (std::string kind = KindOf(file.get()); !kind.empty()) return Fail("it is " + kind);
  std::string got;
  char buf[65536];
  while (got.size() < limit) {
    DWORD want = static_cast<DWORD>(std::min(sizeof buf, limit - got.size()));
    DWORD n = 0;
    if (!::ReadFile(file.get(), buf, want, &n, nullptr)) return FailWithLastError();
    if (n == 0) break;
    got.append(buf, n);
  }
  bytes = std::move(got);
  return {};
}

FileIoResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::wstring target = WideText(path);
  bool exists = false;
  DWORD links = 1;
  {
    Handle old(::CreateFileW(target.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (old.ok()) {
      if (std::string kind = KindOf(old.get()); !kind.empty())
        return Fail("it is " + kind + ", not a file");
      // A symbolic link is followed: the file it names is replaced.
      if (std::wstring final = FinalPath(old.get()); !final.empty()) target = final;
      BY_HANDLE_FILE_INFORMATION info{};
      if (::GetFileInformationByHandle(old.get(), &info)) links = info.nNumberOfLinks;
      exists = true;
    } else if (DWORD err = ::GetLastError();
               err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) {
      return Fail(SystemErrorText(err));
    }
  }

  // The temporary file beside the target, a name nobody else has.
  std::wstring temporary;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = target + L".kv3-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(::GetTickCount() + attempt);
    created = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (created == INVALID_HANDLE_VALUE)
    return Fail("no temporary file can be made beside " + path + ": " +
                SystemErrorText(::GetLastError()));
  Handle file(created);
  auto discard = [&](FileIoResult r) {
    file.Close();
    ::DeleteFileW(temporary.c_str());
    return r;
  };
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD n = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, want, &n, nullptr))
      return discard(FailWithLastError());
    done += n;
  }
  if (!::FlushFileBuffers(file.get())) return discard(FailWithLastError());
  if (!file.Close()) return discard(FailWithLastError());

  FileIoResult result;
  // ReplaceFileW keeps the old file's attributes and security; where the
  // file system cannot (a network share of another kind), a plain move.
  bool moved = exists && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
  if (!moved)
    moved = ::MoveFileExW(temporary.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!moved) return discard(FailWithLastError());
  if (exists && links > 1)
    result.warning =
        "it had " + std::to_string(links - 1) + " other hard link(s), which keep the old contents";
  return result;
}

}  // namespace kv3
