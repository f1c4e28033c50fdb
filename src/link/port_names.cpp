#include "link/port_names.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/port_numbers.h"
#include "link/port_texts.h"
#include "link/serial_port.h"
#include "platform/user_dirs.h"

namespace kv3 {

namespace fs = std::filesystem;

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
  std::error_code ec;
  if (const fs::file_status st = fs::status(path, ec); fs::exists(st) && !fs::is_regular_file(st)) {
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
