#include "interchange/backups.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "codeplug/codec.h"
#include "editor/band.h"
#include "image/codeplug_file.h"
#include "platform/calendar.h"
#include "platform/user_dirs.h"

namespace kv3 {

namespace fs = std::filesystem;

namespace {

constexpr char kPrefix[] = "KV-3-";
constexpr char kSuffix[] = ".DAT";
constexpr char kWriteMark[] = "-W";
// KV-3-YYYYMMDD-HHMMSS-mmm.DAT in local time (earlier versions),
// KV-3-YYYYMMDD-HHMMSS-mmmZ.DAT in UTC, and the writes'
// KV-3-YYYYMMDD-HHMMSS-mmmZ-W.DAT.
constexpr size_t kLocalNameLength = 5 + 8 + 1 + 6 + 1 + 3 + 4;
constexpr size_t kUtcNameLength = kLocalNameLength + 1;
constexpr size_t kWriteNameLength = kUtcNameLength + 2;

bool IsBackupName(const std::string& name) {
  if (name.size() != kLocalNameLength && name.size() != kUtcNameLength &&
      name.size() != kWriteNameLength)
    return false;
  if (name.rfind(kPrefix, 0) != 0) return false;
  if (name.compare(name.size() - 4, 4, kSuffix) != 0) return false;
  for (size_t i = 5; i < kLocalNameLength - 4; ++i) {
    bool dash = i == 13 || i == 20;
    if (dash ? name[i] != '-' : (name[i] < '0' || name[i] > '9')) return false;
  }
  if (name.size() == kLocalNameLength) return true;
  if (name[kLocalNameLength - 4] != 'Z') return false;
  return name.size() == kUtcNameLength || name.compare(kUtcNameLength - 4, 2, kWriteMark) == 0;
}

bool IsUtcName(const std::string& name) {
  return name.size() != kLocalNameLength;
}

BackupKind KindOfName(const std::string& name) {
  return name.size() == kWriteNameLength ? BackupKind::Write : BackupKind::Read;
}

int Digits(const std::string& s, size_t at, size_t count) {
  int v = 0;
  for (size_t i = at; i < at + count; ++i) v = v * 10 + (s[i] - '0');
  return v;
}

// The moment a backup's name gives, in milliseconds since the epoch.
int64_t MomentOf(const std::string& name) {
  std::tm t{};
  t.tm_year = Digits(name, 5, 4) - 1900;
  t.tm_mon = Digits(name, 9, 2) - 1;
  t.tm_mday = Digits(name, 11, 2);
  t.tm_hour = Digits(name, 14, 2);
  t.tm_min = Digits(name, 16, 2);
  t.tm_sec = Digits(name, 18, 2);
  t.tm_isdst = -1;
  std::time_t seconds = IsUtcName(name) ? UtcMoment(t) : mktime(&t);
  return static_cast<int64_t>(seconds) * 1000 + Digits(name, 21, 3);
}

struct BackupFile {
  fs::path path;
  int64_t moment = 0;
};

// Oldest first; names of the same moment in name order.
std::vector<BackupFile> BackupFiles(const std::string& folder) {
  std::vector<BackupFile> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    std::string name = it->path().filename().string();
    if (it->is_regular_file(typeError) && IsBackupName(name))
      files.push_back({it->path(), MomentOf(name)});
  }
  std::sort(files.begin(), files.end(), [](const BackupFile& a, const BackupFile& b) {
    return a.moment != b.moment ? a.moment < b.moment : a.path < b.path;
  });
  return files;
}

std::string NameAt(std::chrono::system_clock::time_point when, BackupKind kind) {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
  std::time_t seconds = static_cast<std::time_t>(ms.count() / 1000);
  std::tm utc{};
  UtcCalendar(seconds, utc);
  char name[64];
  std::snprintf(name, sizeof name, "%s%04d%02d%02d-%02d%02d%02d-%03dZ%s%s", kPrefix,
                utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                utc.tm_sec, static_cast<int>(ms.count() % 1000),
                kind == BackupKind::Write ? kWriteMark : "", kSuffix);
  return name;
}

// "2026-12-06 18:25:34" in local time.
std::string LocalTimeText(int64_t moment) {
  std::time_t seconds = static_cast<std::time_t>(moment / 1000);
  std::tm local{};
  LocalCalendar(seconds, local);
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace

const char* BackupKindKey(BackupKind kind) {
  return kind == BackupKind::Write ? "write" : "read";
}

std::string DefaultBackupFolder() {
  const std::string dir = ProgramDataDir();
  return dir.empty() ? dir : dir + "/backups";
}

BackupResult SaveBackup(const MemoryImage& image, const std::string& folder,
                        std::chrono::system_clock::time_point when, int keep, BackupKind kind) {
  BackupResult result;
  if (folder.empty()) {
    result.error = "no data folder (neither XDG_DATA_HOME nor HOME is set)";
    return result;
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    result.error = folder + ": " + ec.message();
    return result;
  }
  // Two reads within the same millisecond get the next free name.
  std::string path;
  for (int tries = 0; tries < 1000; ++tries) {
    path = folder + "/" + NameAt(when + std::chrono::milliseconds(tries), kind);
    if (!fs::exists(path, ec)) break;
  }
  FileResult saved = SaveCodeplug(path, image);
  if (!saved.ok()) {
    result.error = path + ": " + saved.detail;
    return result;
  }
  result.ok = true;
  result.path = path;

  // The oldest go, never the one just written, whatever its name says.
  std::vector<BackupFile> files = BackupFiles(folder);
  size_t excess = keep >= 0 && files.size() > static_cast<size_t>(keep)
                      ? files.size() - static_cast<size_t>(std::max(keep, 1))
                      : 0;
  for (const BackupFile& f : files) {
    if (excess == 0) break;
    if (f.path.filename() == fs::path(path).filename()) continue;
    fs::remove(f.path, ec);
    --excess;
  }
  return result;
}

BackupResult BackupAfterRead(const MemoryImage& image) {
  return SaveBackup(image, DefaultBackupFolder(), std::chrono::system_clock::now());
}

BackupResult BackupAfterWrite(const MemoryImage& image) {
  return SaveBackup(image, DefaultBackupFolder(), std::chrono::system_clock::now(), kBackupsKept,
                    BackupKind::Write);
}

std::vector<BackupInfo> ListBackups(const std::string& folder) {
  std::vector<BackupInfo> list;
  for (const BackupFile& file : BackupFiles(folder)) {
    BackupInfo info;
    info.path = file.path.string();
    info.time = LocalTimeText(file.moment);
    info.kind = KindOfName(file.path.filename().string());
    MemoryImage image;
    if (LoadCodeplug(info.path, image).ok()) {
      info.readable = true;
      EditorState state = StartupState();
      if (DecodeImage(std::span<const uint8_t>(image), state))
        info.info = Latin1ToUtf8(state.shared.EmbeddedInfoText[0]);
      int band = BandIndexOfCode(image[At(addr::kBandCode)]);
      if (band >= 0) info.band = std::string(kBands[band].text);
      for (int c = 0; c < 16; ++c) {
        size_t base = At(addr::kChannels + addr::kChannelSize * c);
        bool blank = image[base] == 0xFF && image[base + 1] == 0xFF && image[base + 2] == 0xFF &&
                     image[base + 3] == 0xFF;
        if (!blank) ++info.channels;
      }
    }
    list.push_back(std::move(info));
  }
  return list;
}

BackupResult DeleteBackup(const std::string& path) {
  BackupResult result;
  result.path = path;
  if (!IsBackupName(fs::path(path).filename().string())) {
    result.error = path + ": not a backup";
    return result;
  }
  std::error_code ec;
  if (!fs::remove(path, ec)) {
    result.error = path + ": " + (ec ? ec.message() : std::string("no such file"));
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace kv3
