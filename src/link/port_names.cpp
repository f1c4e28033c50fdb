#include "link/port_names.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "link/port_numbers.h"
#include "link/port_texts.h"
#include "link/serial_port.h"
#include "platform/user_dirs.h"

namespace kv3 {

namespace fs = std::filesystem;

namespace {

// "ttyUSB10" after "ttyUSB9": digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (da && db) {
      size_t ie = i, je = j;
      while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
      while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
      unsigned long long va = std::strtoull(a.substr(i, ie - i).c_str(), nullptr, 10);
      unsigned long long vb = std::strtoull(b.substr(j, je - j).c_str(), nullptr, 10);
      if (va != vb) return va < vb;
      i = ie;
      j = je;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end(), NaturalLess);
  return v;
}

std::vector<std::string> Matching(const std::string& dir, const std::string& prefix) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size())
      names.push_back(dir + "/" + name);
  }
  return Sorted(names);
}

// Serial ports that exist as devices: a ttyS node without a driver behind it
// (no "device" link in sysfs) is a placeholder.
bool HasDriver(const std::string& path) {
  std::string name = fs::path(path).filename().string();
  std::error_code ec;
  return fs::exists("/sys/class/tty/" + name + "/device", ec);
}

}  // namespace

std::vector<std::string> SerialDevices() {
  std::vector<std::string> devices;
  std::set<std::string> targets;
  std::error_code ec;
  for (const auto& link : Matching("/dev/serial/by-id", "")) {
    fs::path target = fs::canonical(link, ec);
    if (ec) continue;
    targets.insert(target.string());
    devices.push_back(link);
  }
  for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
    for (const auto& path : Matching("/dev", prefix)) {
      if (targets.count(path)) continue;
      if (std::string(prefix) == "ttyS" && !HasDriver(path)) continue;
      devices.push_back(path);
    }
  }
  return devices;
}

std::string PortMapPath() {
  const std::string dir = ProgramConfigDir();
  return dir.empty() ? dir : dir + "/ports";
}

int ParseComPortName(const std::string& name) {
  if (name.size() < 4 || name.size() > 5) return 0;
  for (size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  int n = 0;
  for (size_t i = 3; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    n = n * 10 + (name[i] - '0');
  }
  if (name[3] == '0') return 0;
  return n >= kFirstComPort && n <= kLastComPort ? n : 0;
}

std::map<int, std::string> LoadPortMap(const std::string& path, std::vector<std::string>* errors) {
  std::map<int, std::string> map;
  if (path.empty()) return map;
  // Only a regular file is read: opening a FIFO would wait for a writer.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (errors) errors->push_back(path + ": not a regular file, not read");
    return map;
  }
  std::ifstream in(path);
  if (!in) return map;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string name, device, extra;
    if (!(words >> name)) continue;
    words >> device;
    words >> extra;
    int n = ParseComPortName(name);
    if (n == 0 || device.empty() || !extra.empty()) {
      if (errors)
        errors->push_back(path + ":" + std::to_string(number) +
                          ": expected \"COMn /dev/path\" with n from 1 to 20");
      continue;
    }
    map[n] = device;
  }
  return map;
}

std::string ComPortDevice(int number, const std::map<int, std::string>& portMap,
                          const std::vector<std::string>& devices) {
  if (number < kFirstComPort || number > kLastComPort) return {};
  return AssignPortNumbers({}, portMap, devices)[number].device;
}

std::string ComPortDevice(int number) {
  if (number < kFirstComPort || number > kLastComPort) return {};
  return CurrentPortAssignment()[number].device;
}

std::string OpenFailureReason(int error) {
  return PortErrorText(PortErrorOfErrno(error), Language::English);
}

}  // namespace kv3
