// The codeplug file (.DAT): "MZP48" followed by the 848-byte memory image.
#pragma once

#include <string>

#include "image/image.h"

namespace kv3 {

inline constexpr size_t kCodeplugFileSize = 853;
inline constexpr size_t kCodeplugReadLimit = 855;
inline constexpr char kIdentWord[] = "MZP48";

enum class FileError {
  None,
  WrongType,  // another identification word, or a file shorter than 853 bytes
  ReadFailed,
  WriteFailed,
};

struct [[nodiscard]] FileResult {
  FileError error = FileError::None;
  std::string detail;   // the system's reason for an I/O error, in English
  std::string warning;  // a save that succeeded but the user should hear of, in English
  bool ok() const { return error == FileError::None; }
};

// Reads a codeplug file (at most 855 bytes are read). On success image holds
// the memory image; on failure it is unchanged. A FIFO or a device is read
// without blocking for ever: what arrives within kReadWaitSeconds.
FileResult LoadCodeplug(const std::string& path, MemoryImage& image);

// Checks and unpacks the bytes of a codeplug file.
FileResult ParseCodeplug(const uint8_t* data, size_t size, MemoryImage& image);

// Writes "MZP48" and the image, 853 bytes, replacing the file atomically: a
// temporary file beside it is written, flushed and renamed over it, so an
// interrupted save leaves the old file as it was (WriteFileAtomically).
FileResult SaveCodeplug(const std::string& path, const MemoryImage& image);

}  // namespace kv3
