#include "platform/environment.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace kv3 {

std::optional<std::string> EnvironmentValue(const std::string& name) {
  const std::wstring wideName = WideText(name);
  ::SetLastError(ERROR_SUCCESS);
  DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0)
    return ::GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                      : std::optional<std::string>("");
  std::wstring value(size, L'\0');
  size = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  value.resize(size);
  return Utf8Text(value);
}

}  // namespace kv3
