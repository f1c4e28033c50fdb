// The files a user opened or saved last, newest first: at most
// kRecentFileLimit, kept per user in one small text file (one absolute path
// a line), replaced atomically. Two programs running at once each read the
// list before they change it, so neither drops the other's entries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"

namespace kv3 {

inline constexpr size_t kRecentFileLimit = 8;

// The list's file: <config folder>/KV-3/recent-files; "" when there is no
// config folder.
std::string DefaultRecentFilesPath();

// The entries of a list's text: one path a line, blank lines and relative
// paths skipped, duplicates dropped, at most kRecentFileLimit.
std::vector<std::string> ParseRecentFiles(std::string_view text);
std::string FormatRecentFiles(const std::vector<std::string>& entries);

// path first, an earlier entry of it dropped, cut to kRecentFileLimit. A path
// holding a line end cannot be kept and leaves the list as it is.
void PutFirst(std::vector<std::string>& entries, const std::string& path);

class RecentFiles {
 public:
  // storePath "" keeps the list in memory only.
  explicit RecentFiles(std::string storePath) : storePath_(std::move(storePath)) {}

  // The entries whose files still exist, newest first; the list's file is
  // written again when some were dropped.
  std::vector<std::string> Entries();
  // Puts a file first: its absolute, normalized path.
  FileIoResult Add(const std::string& path);

 private:
  std::vector<std::string> Read() const;
  FileIoResult Write(const std::vector<std::string>& entries);

  std::string storePath_;
  std::vector<std::string> memory_;  // the list when there is no file
};

}  // namespace kv3
