#include "platform/user_registry.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace kv3 {

bool HasUserRegistry() {
  return true;
}

std::string UserRegistryText(const std::string& key, const std::string& name) {
  const std::wstring wideKey = WideText(key), wideName = WideText(name);
  // RRF_RT_REG_SZ: a value of any other type is refused, and so absent.
  DWORD size = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &size) != ERROR_SUCCESS ||
      size == 0)
    return {};
  std::wstring value(size / sizeof(wchar_t), L'\0');
  if (::RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), wideName.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &size) != ERROR_SUCCESS)
    return {};
  value.resize(size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return Utf8Text(value);
}

void DeleteUserRegistryValue(const std::string& key, const std::string& name) {
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, WideText(key).c_str(), WideText(name).c_str());
}

}  // namespace kv3
