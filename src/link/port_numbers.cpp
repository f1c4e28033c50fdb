#include "link/port_numbers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "link/port_names.h"
#include "platform/atomic_file.h"
#include "platform/user_dirs.h"

namespace kv3 {

namespace fs = std::filesystem;

namespace {

ComPort& At(PortAssignment& a, int number) {
  return a.ports[static_cast<size_t>(number - 1)];
}

// The lowest number that nothing stands behind yet, 0 when there is none.
int LowestFree(const PortAssignment& a) {
  for (int n = kFirstComPort; n <= kLastComPort; ++n)
    if (a[n].kind == ComPort::Kind::None) return n;
  return 0;
}

std::string Canonical(const std::string& path) {
  std::error_code ec;
  fs::path target = fs::canonical(path, ec);
  return ec ? path : target.string();
}

}  // namespace

std::string PortNumbersPath() {
  const std::string dir = ProgramConfigDir();
  return dir.empty() ? dir : dir + "/port-numbers";
}

std::map<int, std::string> LoadPortNumbers(const std::string& path,
                                           std::vector<std::string>* errors) {
  std::map<int, std::string> numbers;
  if (path.empty()) return numbers;
  std::ifstream in(path);
  std::set<std::string> ids;
  std::string line;
  for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string name, id, extra;
    if (!(words >> name)) continue;
    words >> id >> extra;
    const int n = ParseComPortName(name);
    const char* problem = nullptr;
    if (n == 0 || id.empty() || !extra.empty())
      problem = "expected \"COMn ID\" with n from 1 to 20";
    else if (numbers.count(n))
      problem = "this COM number is given twice; the first line counts";
    else if (ids.count(id))
      problem = "this device is given twice; the first line counts";
    if (problem) {
      if (errors) errors->push_back(path + ":" + std::to_string(lineNumber) + ": " + problem);
      continue;
    }
    numbers[n] = id;
    ids.insert(id);
  }
  return numbers;
}

bool SavePortNumbers(const std::string& path, const std::map<int, std::string>& numbers,
                     std::string* error) {
  if (path.empty()) {
    if (error) *error = "no configuration folder (neither XDG_CONFIG_HOME nor HOME is set)";
    return false;
  }
  std::string text =
      "# The COM numbers of kv3-programmer and kv3ctl: each stays with its device.\n";
  for (const auto& [n, id] : numbers) text += "COM" + std::to_string(n) + " " + id + "\n";
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  const FileIoResult written = WriteFileAtomically(path, text);
  if (!written.ok() && error) *error = path + ": " + written.detail;
  return written.ok();
}

PortAssignment AssignPortNumbers(const std::map<int, std::string>& kept,
                                 const std::map<int, std::string>& pinned,
                                 const std::vector<std::string>& devices) {
  PortAssignment a;
  a.numbers = kept;
  std::map<std::string, int> numberOf;
  for (const auto& [n, id] : kept) {
    if (n < kFirstComPort || n > kLastComPort) continue;
    numberOf[id] = n;
    At(a, n) = {ComPort::Kind::Absent, "", id, ""};
  }
  std::set<std::string> pinnedPaths;
  for (const auto& [n, path] : pinned) {
    if (n < kFirstComPort || n > kLastComPort) continue;
    At(a, n) = {ComPort::Kind::PortMap, path, "", ""};
    pinnedPaths.insert(path);
  }
  std::vector<std::string> displaced;
  for (const std::string& id : devices) {
    if (pinnedPaths.count(id)) continue;  // reached through its pin
    if (auto it = numberOf.find(id); it != numberOf.end()) {
      if (pinned.count(it->second)) {
        displaced.push_back(id);
      } else {
        At(a, it->second) = {ComPort::Kind::Device, id, id, ""};
      }
      continue;
    }
    const int n = LowestFree(a);
    if (n == 0) {
      a.unnumbered.push_back(id);
      continue;
    }
    At(a, n) = {ComPort::Kind::Device, id, id, ""};
    a.numbers[n] = id;
    numberOf[id] = n;
    a.changed = true;
  }
  for (const std::string& id : displaced) {
    const int n = LowestFree(a);
    if (n == 0) {
      a.unnumbered.push_back(id);
      continue;
    }
    At(a, n) = {ComPort::Kind::Temporary, id, id, ""};
  }
  return a;
}

PortAssignment CurrentPortAssignment(const std::map<int, std::string>& pins) {
  std::map<int, std::string> pinned = LoadPortMap(PortMapPath(), nullptr);
  for (const auto& [n, path] : pins) pinned[n] = path;
  // A device pinned under another name (its node, or its by-id link) is
  // reached through its pin only.
  std::set<std::string> pinnedNodes;
  for (const auto& [n, path] : pinned) pinnedNodes.insert(Canonical(path));
  std::vector<std::string> devices;
  for (const std::string& device : SerialDevices())
    if (!pinnedNodes.count(Canonical(device))) devices.push_back(device);

  const std::string path = PortNumbersPath();
  PortAssignment a = AssignPortNumbers(LoadPortNumbers(path, nullptr), pinned, devices);
  for (ComPort& port : a.ports) {
    if (port.device.empty()) continue;
    const std::string node = Canonical(port.device);
    if (node != port.device) port.node = node;
  }
  if (a.changed) SavePortNumbers(path, a.numbers, &a.saveError);
  return a;
}

}  // namespace kv3
