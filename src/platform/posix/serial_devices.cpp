#include "platform/serial_devices.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

namespace kv3 {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockFolders[] = {
    "/var/lock",  "/run/lock", "/var/lock/lockdev", "/var/spool/lock", "/var/spool/uucp",
    "/etc/locks", "/tmp",      "/var/tmp"};

bool Alive(int pid) {
  return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

std::vector<std::string> Matching(const std::string& dir, const std::string& prefix) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size())
      names.push_back(dir + "/" + name);
  }
  std::sort(names.begin(), names.end(), NaturalLess);
  return names;
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

std::string NotASerialDevice(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISCHR(st.st_mode)) return {};
  if (S_ISFIFO(st.st_mode)) return "not a serial device: a FIFO";
  if (S_ISDIR(st.st_mode)) return "not a serial device: a folder";
  if (S_ISREG(st.st_mode)) return "not a serial device: a file";
  return "not a serial device";
}

int LiveLockOwner(const std::string& lockFile) {
  int fd = ::open(lockFile.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return 0;
  char buf[64] = {};
  ssize_t n = ::read(fd, buf, sizeof buf - 1);
  ::close(fd);
  if (n <= 0) return 0;
  int pid = 0;
  // The binary form of old programs: the number's four bytes. Its first byte
  // may well look like a digit or a blank; a number of a process always has
  // a zero byte, which no text has.
  const bool binary = n == sizeof(int) && std::memchr(buf, 0, sizeof(int)) != nullptr;
  // Text (UUCP, Qt's lock files): blanks, then the decimal number.
  ssize_t i = 0;
  while (!binary && i < n && (buf[i] == ' ' || buf[i] == '\t')) ++i;
  if (binary) {
    std::memcpy(&pid, buf, sizeof pid);
  } else if (i < n && buf[i] >= '0' && buf[i] <= '9') {
    for (; i < n && buf[i] >= '0' && buf[i] <= '9' && pid < 10'000'000; ++i)
      pid = pid * 10 + (buf[i] - '0');
  }
  return Alive(pid) && pid != ::getpid() ? pid : 0;
}

std::string DeviceHeldBy(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == EBUSY) return "in use by another program (it has the device to itself)";
  } else {
    bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    if (locked) return "in use by another program (it holds a lock on the device)";
  }
  std::string name = LockFileName(path);
  std::string base = path.substr(path.find_last_of('/') + 1);
  for (const char* folder : kLockFolders)
    for (const std::string& n : {name, "LCK.." + base}) {
      std::string lock = std::string(folder) + "/" + n;
      if (int pid = LiveLockOwner(lock))
        return "in use by another program (process " + std::to_string(pid) + ", lock file " + lock +
               ")";
    }
  return {};
}

}  // namespace kv3
