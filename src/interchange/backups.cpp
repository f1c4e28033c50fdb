#include "interchange/backups.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "editor/band.h"
#include "image/codeplug_file.h"

namespace kv3 {

namespace fs = std::filesystem;

namespace {

constexpr char kPrefix[] = "KV-3-";
constexpr char kSuffix[] = ".DAT";
// KV-3-YYYYMMDD-HHMMSS-mmm.DAT
constexpr size_t kNameLength = 5 + 8 + 1 + 6 + 1 + 3 + 4;

bool IsBackupName(const std::string& name) {
  if (name.size() != kNameLength || name.rfind(kPrefix, 0) != 0) return false;
  if (name.compare(name.size() - 4, 4, kSuffix) != 0) return false;
  for (size_t i = 5; i < name.size() - 4; ++i) {
    bool dash = i == 13 || i == 20;
    if (dash ? name[i] != '-' : (name[i] < '0' || name[i] > '9')) return false;
  }
  return true;
}

std::vector<fs::path> BackupFiles(const std::string& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) && IsBackupName(it->path().filename().string()))
      files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string NameAt(std::chrono::system_clock::time_point when) {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
  std::time_t seconds = static_cast<std::time_t>(ms.count() / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char name[64];
  std::snprintf(name, sizeof name, "%s%04d%02d%02d-%02d%02d%02d-%03d%s", kPrefix,
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec, static_cast<int>(ms.count() % 1000), kSuffix);
  return name;
}

}  // namespace

std::string DefaultBackupFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  // An empty or relative XDG_DATA_HOME is to be ignored.
  if (data && data[0] == '/') return std::string(data) + "/KV-3/backups";
  const char* home = std::getenv("HOME");
  if (home && home[0]) return std::string(home) + "/.local/share/KV-3/backups";
  return {};
}

BackupResult SaveBackup(const MemoryImage& image, const std::string& folder,
                        std::chrono::system_clock::time_point when, int keep) {
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
    path = folder + "/" + NameAt(when + std::chrono::milliseconds(tries));
    if (!fs::exists(path, ec)) break;
  }
  FileResult saved = SaveCodeplug(path, image);
  if (!saved.ok()) {
    result.error = path + ": " + saved.detail;
    return result;
  }
  result.ok = true;
  result.path = path;

  std::vector<fs::path> files = BackupFiles(folder);
  for (size_t k = 0; keep >= 0 && k + static_cast<size_t>(keep) < files.size(); ++k)
    fs::remove(files[k], ec);
  return result;
}

BackupResult BackupAfterRead(const MemoryImage& image) {
  return SaveBackup(image, DefaultBackupFolder(), std::chrono::system_clock::now());
}

std::vector<BackupInfo> ListBackups(const std::string& folder) {
  std::vector<BackupInfo> list;
  for (const fs::path& file : BackupFiles(folder)) {
    BackupInfo info;
    info.path = file.string();
    std::string n = file.filename().string();
    info.time = n.substr(5, 4) + "-" + n.substr(9, 2) + "-" + n.substr(11, 2) + " " +
                n.substr(14, 2) + ":" + n.substr(16, 2) + ":" + n.substr(18, 2);
    MemoryImage image;
    if (LoadCodeplug(info.path, image).ok()) {
      info.readable = true;
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

}  // namespace kv3
