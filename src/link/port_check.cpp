#include "link/port_check.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kv3 {

namespace {

constexpr const char* kLockFolders[] = {
    "/var/lock",  "/run/lock", "/var/lock/lockdev", "/var/spool/lock", "/var/spool/uucp",
    "/etc/locks", "/tmp",      "/var/tmp"};

bool Alive(int pid) {
  return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

}  // namespace

std::string NotASerialDevice(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISCHR(st.st_mode)) return {};
  if (S_ISFIFO(st.st_mode)) return "not a serial device: a FIFO";
  if (S_ISDIR(st.st_mode)) return "not a serial device: a folder";
  if (S_ISREG(st.st_mode)) return "not a serial device: a file";
  return "not a serial device";
}

std::string LockFileName(const std::string& path) {
  std::string name = path.rfind("/dev/", 0) == 0 ? path.substr(5) : path;
  for (char& c : name)
    if (c == '/') c = '_';
  return "LCK.." + name;
}

int LiveLockOwner(const std::string& lockFile) {
  int fd = ::open(lockFile.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return 0;
  char buf[64] = {};
  ssize_t n = ::read(fd, buf, sizeof buf - 1);
  ::close(fd);
  if (n <= 0) return 0;
  int pid = 0;
  // Text (UUCP, Qt's lock files): blanks, then the decimal number.
  ssize_t i = 0;
  while (i < n && (buf[i] == ' ' || buf[i] == '\t')) ++i;
  if (i < n && buf[i] >= '0' && buf[i] <= '9') {
    for (; i < n && buf[i] >= '0' && buf[i] <= '9' && pid < 10'000'000; ++i)
      pid = pid * 10 + (buf[i] - '0');
  } else if (n == sizeof(int)) {
    std::memcpy(&pid, buf, sizeof pid);  // the binary form of old programs
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
