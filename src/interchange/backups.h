// Automatic backups: every complete read from a radio is kept as a
// time-stamped codeplug file in the user's data folder, the newest 100.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "image/image.h"

namespace kv3 {

inline constexpr int kBackupsKept = 100;

// KV-3/backups in the data folder of platform/user_dirs.h ($XDG_DATA_HOME,
// else ~/.local/share); empty when there is none.
std::string DefaultBackupFolder();

struct [[nodiscard]] BackupResult {
  bool ok = false;
  std::string path;   // the file written
  std::string error;  // why it could not be written
};

// Writes the image as KV-3-YYYYMMDD-HHMMSS-mmmZ.DAT (UTC, so that the names
// keep the order of the reads in any time zone) into folder, creating it,
// then removes the oldest backups beyond keep: oldest by the time in their
// names, the backup just written never (a clock set back names it earlier
// than the others). Only files named like backups are ever removed; names
// of earlier versions, KV-3-YYYYMMDD-HHMMSS-mmm.DAT in local time, count as
// backups of that local time.
BackupResult SaveBackup(const MemoryImage& image, const std::string& folder,
                        std::chrono::system_clock::time_point when, int keep = kBackupsKept);

// The call after every complete read: the default folder, now.
BackupResult BackupAfterRead(const MemoryImage& image);

struct BackupInfo {
  std::string path;
  std::string time;  // "2026-12-06 18:25:34", local time
  std::string band;  // band text, "" when the code is unknown
  int channels = 0;  // channels that are not empty
  bool readable = false;
};

// The backups of a folder, oldest first (by the time of their names).
std::vector<BackupInfo> ListBackups(const std::string& folder);

}  // namespace kv3
