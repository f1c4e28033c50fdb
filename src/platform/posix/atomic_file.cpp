#include "platform/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

namespace kv3 {

namespace {

FileIoResult Fail(int err) {
  return {true, std::strerror(err), {}};
}

FileIoResult Fail(std::string detail) {
  return {true, std::move(detail), {}};
}

std::string DirectoryOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a path is when it is not a regular file, in words.
std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// Follows symbolic links to the path they finally name (relative targets
// from the folder of their link). A path that does not exist, or a link to
// one, is the path a new file is made at.
bool ResolveLinks(const std::string& path, std::string& target, int& err) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0) {
      if (errno != ENOENT) {
        err = errno;
        return false;
      }
      target = p;
      return true;
    }
    if (!S_ISLNK(st.st_mode)) {
      target = p;
      return true;
    }
    std::string to(PATH_MAX, '\0');
    ssize_t n = ::readlink(p.c_str(), to.data(), to.size());
    if (n < 0) {
      err = errno;
      return false;
    }
    to.resize(static_cast<size_t>(n));
    p = !to.empty() && to[0] == '/' ? to : DirectoryOf(p) + "/" + to;
  }
  err = ELOOP;
  return false;
}

// The temporary file's pattern beside target: "NAME.XXXXXX", or a short
// name when that would be longer than a file name may be.
std::string TemporaryPattern(const std::string& target) {
  std::string name = NameOf(target);
  long max = ::pathconf(DirectoryOf(target).c_str(), _PC_NAME_MAX);
  if (max <= 0) max = NAME_MAX;
  if (name.size() + 7 <= static_cast<size_t>(max)) return target + ".XXXXXX";
  return DirectoryOf(target) + "/.kv3-save.XXXXXX";
}

}  // namespace

FileIoResult ReadFileBounded(const std::string& path, size_t limit, std::string& bytes) {
  // Without O_NONBLOCK opening a FIFO waits for a writer, for ever.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return Fail(errno);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Fail(EISDIR);
  }
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(kReadWaitSeconds);
  std::string got;
  char buf[65536];
  while (got.size() < limit) {
    ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - got.size()));
    if (n > 0) {
      got.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n == 0) break;
    if (errno == EINTR) continue;
    if (errno != EAGAIN) {
      int err = errno;
      ::close(fd);
      return Fail(err);
    }
    // A FIFO or a device with nothing to read yet.
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{fd, POLLIN, 0};
    if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) == 0) {
      ::close(fd);
      return Fail("nothing arrived within " + std::to_string(kReadWaitSeconds) + " seconds (" +
                  KindOf(st.st_mode) + ")");
    }
  }
  ::close(fd);
  bytes = std::move(got);
  return {};
}

FileIoResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::string target;
  int err = 0;
  if (!ResolveLinks(path, target, err)) return Fail(err);
  struct stat old {};
  bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return Fail("it is " + KindOf(old.st_mode) + ", not a file");

  std::string tmpl = TemporaryPattern(target);
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) {
    return Fail("no temporary file can be made in the folder " + DirectoryOf(target) + ": " +
                std::strerror(errno));
  }
  auto discard = [&](FileIoResult r) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    return r;
  };
  FileIoResult result;
  if (exists) {
    // The replacement keeps the owner and group (as root, or when they are
    // ours already), then the mode (chown clears set-id bits).
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && old.st_uid != ::geteuid()) {
      return discard(Fail("it belongs to another user, and a replacement would be yours (" +
                          std::string(std::strerror(errno)) + ")"));
    }
    ::fchmod(fd, old.st_mode & 07777);
    if (old.st_nlink > 1)
      result.warning = "it had " + std::to_string(old.st_nlink - 1) +
                       " other hard link(s), which keep the old contents";
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return discard(Fail(errno));
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) return discard(Fail(errno));
  if (::close(fd) != 0) {
    err = errno;
    ::unlink(tmpl.c_str());
    return Fail(err);
  }
  if (::rename(tmpl.c_str(), target.c_str()) != 0) {
    err = errno;
    ::unlink(tmpl.c_str());
    return Fail(err);
  }
  int dir = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return result;
}

}  // namespace kv3
