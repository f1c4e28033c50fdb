// Reading and replacing whole files: a read that a FIFO or a device cannot
// hold up for ever, and a replacement that an interruption never leaves
// half written. Every file the program writes goes through here.
#pragma once

#include <cstddef>
#include <string>

namespace kv3 {

struct [[nodiscard]] FileIoResult {
  bool failed = false;
  std::string detail;   // the system's reason for a failure, in English
  std::string warning;  // a write that succeeded but the user should hear of, in English
  bool ok() const { return !failed; }
};

// How long a read waits for a FIFO or a device that has nothing to give.
inline constexpr int kReadWaitSeconds = 5;

// Reads a file up to its end or up to limit bytes, whichever comes first; a
// folder is refused, and a FIFO or a device that stays silent for
// kReadWaitSeconds ends the read with an error. On failure bytes is
// unchanged.
FileIoResult ReadFileBounded(const std::string& path, size_t limit, std::string& bytes);

// Replaces a file's contents atomically with the given bytes: a temporary
// file beside it is written, flushed and renamed over it, and the folder is
// flushed.
// - A symbolic link is followed to the file it finally names, which is
//   replaced; the link stays.
// - The replacement keeps the owner, the group and the mode of the file it
//   replaces. A file of another user whose owner cannot be kept (the process
//   is not root) is refused rather than taken over.
// - Anything but a regular file (a folder, a device, a FIFO) is refused and
//   left as it is.
// - A file with other hard links is replaced under this name only: the other
//   names keep the old contents, and the result's warning says so.
FileIoResult WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace kv3
