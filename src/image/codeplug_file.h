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

// How long a read waits for a FIFO or a device that has nothing to give.
inline constexpr int kReadWaitSeconds = 5;

// Reads a file up to its end or up to limit bytes, whichever comes first; a
// folder is refused, and a FIFO or a device that stays silent for
// kReadWaitSeconds ends the read with an error.
FileResult ReadFileBounded(const std::string& path, size_t limit, std::string& bytes);

// Checks and unpacks the bytes of a codeplug file.
FileResult ParseCodeplug(const uint8_t* data, size_t size, MemoryImage& image);

// Writes "MZP48" and the image, 853 bytes, replacing the file atomically: a
// temporary file beside it is written, flushed and renamed over it, so an
// interrupted save leaves the old file as it was.
FileResult SaveCodeplug(const std::string& path, const MemoryImage& image);

// Replaces a file's contents atomically with the given bytes.
// - A symbolic link is followed to the file it finally names, which is
//   replaced; the link stays.
// - The replacement keeps the owner, the group and the mode of the file it
//   replaces. A file of another user whose owner cannot be kept (the process
//   is not root) is refused rather than taken over.
// - Anything but a regular file (a folder, a device, a FIFO) is refused and
//   left as it is.
// - A file with other hard links is replaced under this name only: the other
//   names keep the old contents, and the result's warning says so.
FileResult WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace kv3
