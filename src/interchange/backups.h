// Automatic backups: every complete read from a radio is kept as a
// time-stamped codeplug file in the user's data folder, the newest 100.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "image/image.h"

namespace kv3 {

inline constexpr int kBackupsKept = 100;

// $XDG_DATA_HOME/KV-3/backups, else $HOME/.local/share/KV-3/backups; empty
// when neither variable is set.
std::string DefaultBackupFolder();

struct [[nodiscard]] BackupResult {
  bool ok = false;
  std::string path;   // the file written
  std::string error;  // why it could not be written
};

// Writes the image as KV-3-YYYYMMDD-HHMMSS-mmm.DAT (local time) into folder,
// creating it, then removes the oldest backups beyond keep. Only files
// named like backups are ever removed.
BackupResult SaveBackup(const MemoryImage& image, const std::string& folder,
                        std::chrono::system_clock::time_point when, int keep = kBackupsKept);

// The call after every complete read: the default folder, now.
BackupResult BackupAfterRead(const MemoryImage& image);

struct BackupInfo {
  std::string path;
  std::string time;  // "2026-12-06 18:25:34"
  std::string band;  // band text, "" when the code is unknown
  int channels = 0;  // channels that are not empty
  bool readable = false;
};

// The backups of a folder, oldest first.
std::vector<BackupInfo> ListBackups(const std::string& folder);

}  // namespace kv3
