#include "interchange/recent_files.h"

#include <algorithm>
#include <filesystem>

#include "platform/user_dirs.h"

namespace kv3 {

namespace fs = std::filesystem;

namespace {

// A list's file is a few kilobytes; anything larger is not one.
constexpr size_t kMaxListSize = 64 * 1024;

bool Keepable(std::string_view path) {
  return !path.empty() && path.front() == '/' && path.find_first_of("\r\n") == path.npos;
}

}  // namespace

std::string DefaultRecentFilesPath() {
  const std::string dir = ProgramConfigDir();
  return dir.empty() ? dir : dir + "/recent-files";
}

std::vector<std::string> ParseRecentFiles(std::string_view text) {
  std::vector<std::string> entries;
  while (!text.empty() && entries.size() < kRecentFileLimit) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == text.npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!Keepable(line)) continue;
    if (std::find(entries.begin(), entries.end(), line) == entries.end())
      entries.emplace_back(line);
  }
  return entries;
}

std::string FormatRecentFiles(const std::vector<std::string>& entries) {
  std::string text;
  for (const std::string& path : entries) text += path + "\n";
  return text;
}

void PutFirst(std::vector<std::string>& entries, const std::string& path) {
  if (!Keepable(path)) return;
  entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
  entries.insert(entries.begin(), path);
  if (entries.size() > kRecentFileLimit) entries.resize(kRecentFileLimit);
}

std::vector<std::string> RecentFiles::Read() const {
  if (storePath_.empty()) return memory_;
  std::string text;
  if (!ReadFileBounded(storePath_, kMaxListSize, text).ok()) return {};
  return ParseRecentFiles(text);
}

FileIoResult RecentFiles::Write(const std::vector<std::string>& entries) {
  if (storePath_.empty()) {
    memory_ = entries;
    return {};
  }
  std::error_code ec;
  fs::create_directories(fs::path(storePath_).parent_path(), ec);
  return WriteFileAtomically(storePath_, FormatRecentFiles(entries));
}

std::vector<std::string> RecentFiles::Entries() {
  std::vector<std::string> entries = Read();
  const size_t before = entries.size();
  std::erase_if(entries, [](const std::string& path) {
    std::error_code ec;
    return !fs::is_regular_file(path, ec);
  });
  if (entries.size() != before) (void)Write(entries);
  return entries;
}

FileIoResult RecentFiles::Add(const std::string& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  if (ec) return {true, ec.message(), {}};
  std::vector<std::string> entries = Read();
  PutFirst(entries, absolute.lexically_normal().string());
  return Write(entries);
}

}  // namespace kv3
