#include "platform/user_dirs.h"

#include <windows.h>
// After windows.h:
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/windows/wide_text.h"

namespace kv3 {

namespace {

// A known folder with forward slashes (which every file function of Windows
// takes), so that the program's folders join on with "/"; "" when the
// system cannot say.
std::string KnownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path)
    folder = Utf8Text(std::wstring(path));
  ::CoTaskMemFree(path);
  for (char& c : folder)
    if (c == '\\') c = '/';
  return folder;
}

}  // namespace

std::string UserConfigDir() {
  return KnownFolder(FOLDERID_RoamingAppData);
}

std::string UserDataDir() {
  return KnownFolder(FOLDERID_LocalAppData);
}

}  // namespace kv3
