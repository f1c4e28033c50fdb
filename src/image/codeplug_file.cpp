#include "image/codeplug_file.h"

#include <cstring>
#include <string>

#include "platform/atomic_file.h"

namespace kv3 {

FileResult ParseCodeplug(const uint8_t* data, size_t size, MemoryImage& image) {
  if (size < kCodeplugFileSize || std::memcmp(data, kIdentWord, 5) != 0)
    return {FileError::WrongType, {}, {}};
  std::memcpy(image.data(), data + 5, kImageSize);
  return {};
}

FileResult LoadCodeplug(const std::string& path, MemoryImage& image) {
  std::string bytes;
  const FileIoResult read = ReadFileBounded(path, kCodeplugReadLimit, bytes);
  if (!read.ok()) return {FileError::ReadFailed, read.detail, {}};
  return ParseCodeplug(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image);
}

FileResult SaveCodeplug(const std::string& path, const MemoryImage& image) {
  std::string bytes(kIdentWord, 5);
  bytes.append(reinterpret_cast<const char*>(image.data()), image.size());
  const FileIoResult written = WriteFileAtomically(path, bytes);
  if (!written.ok()) return {FileError::WriteFailed, written.detail, {}};
  return {FileError::None, {}, written.warning};
}

}  // namespace kv3
