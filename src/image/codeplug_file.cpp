#include "image/codeplug_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kv3 {

namespace {

FileResult Fail(FileError e, int err) {
  return {e, std::strerror(err)};
}

std::string DirectoryOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

FileResult ParseCodeplug(const uint8_t* data, size_t size, MemoryImage& image) {
  if (size < kCodeplugFileSize || std::memcmp(data, kIdentWord, 5) != 0)
    return {FileError::WrongType, {}};
  std::memcpy(image.data(), data + 5, kImageSize);
  return {};
}

FileResult LoadCodeplug(const std::string& path, MemoryImage& image) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail(FileError::ReadFailed, errno);
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return Fail(FileError::ReadFailed, EISDIR);
  }
  uint8_t buf[kCodeplugReadLimit];
  size_t got = 0;
  while (got < sizeof buf) {
    ssize_t n = ::read(fd, buf + got, sizeof buf - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      return Fail(FileError::ReadFailed, err);
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  return ParseCodeplug(buf, got, image);
}

FileResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::string tmpl = path + ".XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) return Fail(FileError::WriteFailed, errno);
  // Keep the mode of the file being replaced, or the usual one of a new file.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    ::fchmod(fd, old.st_mode & 07777);
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
      int err = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      return Fail(FileError::WriteFailed, err);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    return Fail(FileError::WriteFailed, err);
  }
  if (::rename(tmpl.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    return Fail(FileError::WriteFailed, err);
  }
  int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

FileResult SaveCodeplug(const std::string& path, const MemoryImage& image) {
  std::string bytes(kIdentWord, 5);
  bytes.append(reinterpret_cast<const char*>(image.data()), image.size());
  return WriteFileAtomically(path, bytes);
}

}  // namespace kv3
