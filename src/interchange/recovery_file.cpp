#include "interchange/recovery_file.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <vector>

#include "codeplug/codec.h"
#include "editor/band.h"
#include "platform/user_dirs.h"

namespace kv3 {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

constexpr char kEditsExtension[] = ".edits";
constexpr char kLockExtension[] = ".lock";
// A recovery file is a few kilobytes; anything much larger is not one.
constexpr size_t kMaxRecoverySize = 256 * 1024;

std::string LockPathOf(const std::string& editsPath) {
  return editsPath.substr(0, editsPath.size() - (sizeof kEditsExtension - 1)) + kLockExtension;
}

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string DefaultRecoveryFolder() {
  const std::string dir = ProgramDataDir();
  return dir.empty() ? dir : dir + "/unsaved-edits";
}

std::string FormatRecovery(const EditorState& state, int64_t savedAt) {
  Json j;
  j["format"] = kRecoveryFormat;
  j["version"] = kRecoveryVersion;
  j["savedAt"] = savedAt;
  j["image"] = EncodeImageHex(state);
  j["band"] = {{"index", state.band.index}, {"confirmed", state.band.ConfirmedBandIndex}};
  Json choices = Json::array();
  for (const auto& row : state.grid.ChannelChoice) choices.push_back(row);
  j["channelChoice"] = choices;
  return j.dump(1) + "\n";
}

bool ParseRecovery(std::string_view text, const EditorState& base, EditorState& state,
                   int64_t* savedAt) {
  const Json j = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!j.is_object()) return false;
  const auto stringAt = [&](const char* key) -> const std::string* {
    auto it = j.find(key);
    return it != j.end() && it->is_string() ? it->get_ptr<const std::string*>() : nullptr;
  };
  const std::string* format = stringAt("format");
  const std::string* image = stringAt("image");
  if (!format || *format != kRecoveryFormat || !image) return false;
  if (!j.contains("version") || j["version"] != kRecoveryVersion) return false;
  if (image->size() != 2 * kImageSize) return false;

  EditorState restored = base;
  if (!DecodeImage(std::string_view(*image), restored)) return false;

  const Json& band = j.contains("band") ? j["band"] : Json();
  const auto bandIndex = [&](const char* key) {
    return band.is_object() && band.contains(key) && band[key].is_number_integer()
               ? band[key].get<int64_t>()
               : int64_t{-1};
  };
  const int64_t index = bandIndex("index"), confirmed = bandIndex("confirmed");
  if (index < 0 || index >= kBandCount || confirmed < 0 || confirmed >= kBandCount) return false;
  SelectBandSilently(restored.band, static_cast<int>(index));
  restored.band.ConfirmedBandIndex = static_cast<int>(confirmed);

  const Json& choices = j.contains("channelChoice") ? j["channelChoice"] : Json();
  if (!choices.is_array() || choices.size() != kChannelCount) return false;
  for (size_t r = 0; r < kChannelCount; ++r) {
    const Json& row = choices[r];
    if (!row.is_array() || row.size() != restored.grid.ChannelChoice[r].size()) return false;
    for (size_t c = 0; c < row.size(); ++c) {
      if (!row[c].is_number_integer()) return false;
      const int64_t v = row[c].get<int64_t>();
      if (v < INT16_MIN || v > INT16_MAX) return false;
      restored.grid.ChannelChoice[r][c] = static_cast<int16_t>(v);
    }
  }
  if (savedAt) {
    *savedAt =
        j.contains("savedAt") && j["savedAt"].is_number_integer() ? j["savedAt"].get<int64_t>() : 0;
  }
  state = std::move(restored);
  return true;
}

RecoveryStore::RecoveryStore(std::string folder)
    : folder_(folder.empty() ? DefaultRecoveryFolder() : std::move(folder)) {}

RecoveryStore::~RecoveryStore() {
  if (!own_.held()) return;
  std::error_code ec;
  if (!fs::exists(ownPath(), ec)) fs::remove(ownBase_ + kLockExtension, ec);
}

bool RecoveryStore::Open() {
  if (own_.held()) return true;
  if (folder_.empty()) return false;
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (!fs::is_directory(folder_, ec)) return false;
  // The process id alone may be one a process that is gone had (ids are
  // used again): the start time makes the name this process's own.
  const auto start = std::chrono::system_clock::now().time_since_epoch();
  ownBase_ = folder_ + "/" + std::to_string(CurrentProcessId()) + "-" +
             std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(start).count());
  if (!own_.TryLock(ownBase_ + kLockExtension)) return false;
  // Locks of processes that are gone and kept nothing.
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    const std::string path = entry.path().string();
    if (!EndsWith(path, kLockExtension)) continue;
    const std::string edits =
        path.substr(0, path.size() - (sizeof kLockExtension - 1)) + kEditsExtension;
    std::error_code existsError;
    if (fs::exists(edits, existsError)) continue;
    FileLock stale;
    if (stale.TryLock(path)) fs::remove(path, existsError);
  }
  return true;
}

FileIoResult RecoveryStore::Keep(const EditorState& state, int64_t now) {
  if (!own_.held()) return {true, "no folder for unsaved edits", {}};
  return WriteFileAtomically(ownPath(), FormatRecovery(state, now));
}

void RecoveryStore::Forget() {
  if (!own_.held()) return;
  std::error_code ec;
  fs::remove(ownPath(), ec);
}

std::optional<LeftEdits> RecoveryStore::ClaimLeftEdits() {
  if (folder_.empty()) return std::nullopt;
  std::vector<LeftEdits> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    const std::string path = entry.path().string();
    if (!EndsWith(path, kEditsExtension) || path == ownPath() || claimed_.count(path)) continue;
    std::error_code timeError;
    if (!entry.is_regular_file(timeError)) continue;
    const auto time = fs::last_write_time(entry.path(), timeError);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(time).time_since_epoch());
    found.push_back({path, timeError ? 0 : seconds.count()});
  }
  std::sort(found.begin(), found.end(), [](const LeftEdits& a, const LeftEdits& b) {
    return a.savedAt != b.savedAt ? a.savedAt > b.savedAt : a.path > b.path;
  });
  for (const LeftEdits& left : found) {
    FileLock lock;
    // Held: its process still runs, or another program has taken it.
    if (!lock.TryLock(LockPathOf(left.path))) continue;
    // Taken and dismissed by another program meanwhile.
    if (!fs::exists(left.path, ec)) continue;
    claimed_.emplace(left.path, std::move(lock));
    return left;
  }
  return std::nullopt;
}

bool RecoveryStore::Load(const LeftEdits& left, const EditorState& base, EditorState& state) const {
  std::string text;
  if (!ReadFileBounded(left.path, kMaxRecoverySize, text).ok()) return false;
  if (text.size() >= kMaxRecoverySize) return false;
  return ParseRecovery(text, base, state);
}

void RecoveryStore::Dismiss(const LeftEdits& left) {
  std::error_code ec;
  fs::remove(left.path, ec);
  fs::remove(LockPathOf(left.path), ec);
  claimed_.erase(left.path);
}

}  // namespace kv3
