#include "platform/serial_devices.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/windows/wide_text.h"

namespace kv3 {

namespace {

// "COM7" or "\\.\COM7": a name Windows gives a serial port.
bool IsComName(const std::string& path) {
  std::string name = path.rfind("\\\\.\\", 0) == 0 ? path.substr(4) : path;
  if (name.size() < 4) return false;
  for (size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return false;
  return std::all_of(name.begin() + 3, name.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The form CreateFileW opens every COM name in, COM10 and above included.
std::wstring DevicePath(const std::string& path) {
  return WideText(IsComName(path) && path.rfind("\\\\.\\", 0) != 0 ? "\\\\.\\" + path : path);
}

}  // namespace

std::vector<std::string> SerialDevices() {
  // Every MS-DOS device name the system knows, as a list of strings that
  // ends with an empty one; the buffer grows until the list fits.
  std::wstring names(1 << 16, L'\0');
  DWORD n = 0;
  while ((n = ::QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()))) == 0 &&
         ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && names.size() < (1u << 24))
    names.resize(names.size() * 2);
  std::vector<std::string> devices;
  for (size_t at = 0; at < n && names[at] != L'\0';) {
    std::wstring name(names.c_str() + at);
    at += name.size() + 1;
    if (std::string utf8 = Utf8Text(name); IsComName(utf8)) devices.push_back(utf8);
  }
  std::sort(devices.begin(), devices.end(), NaturalLess);
  return devices;
}

std::string NotASerialDevice(const std::string& path) {
  if (IsComName(path)) return {};
  DWORD attributes = ::GetFileAttributesW(WideText(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "not a serial device: a folder";
  return "not a serial device: a file";
}

std::string DeviceHeldBy(const std::string& path) {
  // A serial port opens for one program at a time: a port that another has
  // open is refused with "access denied".
  HANDLE h = ::CreateFileW(DevicePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD err = ::GetLastError();
    if (err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION)
      return "in use by another program (it has the device to itself)";
    return {};
  }
  ::CloseHandle(h);
  return {};
}

int LiveLockOwner(const std::string&) {
  return 0;
}

}  // namespace kv3
