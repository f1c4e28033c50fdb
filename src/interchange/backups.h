// Automatic backups: every complete read from a radio, and every image
// written to one, is kept as a time-stamped codeplug file in the user's data
// folder, the newest 100 of both together.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "image/image.h"

namespace kv3 {

inline constexpr int kBackupsKept = 100;

// What a backup holds: the memory a read brought from a radio, or the image
// a write sent to one. The mark is in the name: a write's name ends in
// "-W.DAT"; every other backup (those of earlier versions too) is a read.
enum class BackupKind { Read, Write };

// "read" or "write", as kv3ctl backups --json names them.
const char* BackupKindKey(BackupKind kind);

// KV-3/backups in the data folder of platform/user_dirs.h ($XDG_DATA_HOME,
// else ~/.local/share); empty when there is none.
std::string DefaultBackupFolder();

struct [[nodiscard]] BackupResult {
  bool ok = false;
  std::string path;   // the file written
  std::string error;  // why it could not be written
};

// Writes the image as KV-3-YYYYMMDD-HHMMSS-mmmZ.DAT (a read) or
// KV-3-YYYYMMDD-HHMMSS-mmmZ-W.DAT (a write), UTC so that the names keep the
// order of the sessions in any time zone, into folder, creating it,
// then removes the oldest backups beyond keep: oldest by the time in their
// names, the backup just written never (a clock set back names it earlier
// than the others). Only files named like backups are ever removed; names
// of earlier versions, KV-3-YYYYMMDD-HHMMSS-mmm.DAT in local time, count as
// backups of that local time.
BackupResult SaveBackup(const MemoryImage& image, const std::string& folder,
                        std::chrono::system_clock::time_point when, int keep = kBackupsKept,
                        BackupKind kind = BackupKind::Read);

// The call after every complete read: the default folder, now.
BackupResult BackupAfterRead(const MemoryImage& image);
// The call after every complete write, with the image the write sent.
BackupResult BackupAfterWrite(const MemoryImage& image);

struct BackupInfo {
  std::string path;
  std::string time;  // "2026-12-06 18:25:34", local time
  std::string band;  // band text, "" when the code is unknown
  int channels = 0;  // channels that are not empty
  std::string info;  // the first embedded information line (UTF-8), may be ""
  BackupKind kind = BackupKind::Read;
  bool readable = false;
};

// The backups of a folder, oldest first (by the time of their names).
std::vector<BackupInfo> ListBackups(const std::string& folder);

// Removes one backup. Only a file named like a backup is removed; anything
// else is refused with the reason, and nothing changes.
BackupResult DeleteBackup(const std::string& path);

}  // namespace kv3
