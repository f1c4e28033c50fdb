// The unsaved edits of a running program, kept on disk so that a crash or a
// quit does not lose them: each process keeps its own file in the recovery
// folder (named after its process id and start time) and holds a lock beside
// it for as long as it runs. A file whose lock is free was left by a process
// that is gone; a later program offers it back. Two programs running at once
// never write each other's file, and only one of them can take a file that
// was left.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "editor/editor_state.h"
#include "platform/atomic_file.h"
#include "platform/file_lock.h"

namespace kv3 {

inline constexpr char kRecoveryFormat[] = "KV-3(T2) unsaved edits";
inline constexpr int kRecoveryVersion = 1;

// <data folder>/KV-3/unsaved-edits; "" when there is no data folder.
std::string DefaultRecoveryFolder();

// The text of a recovery file: the memory image of the state, the band list's
// selection and the grid's remembered list positions, and when it was kept
// (seconds since the epoch).
std::string FormatRecovery(const EditorState& state, int64_t savedAt);
// The state a recovery text holds, built over base (the start-up state); false
// for a damaged text, and `state` is then unchanged.
bool ParseRecovery(std::string_view text, const EditorState& base, EditorState& state,
                   int64_t* savedAt = nullptr);

// Edits a process that is gone left behind.
struct LeftEdits {
  std::string path;
  int64_t savedAt = 0;  // seconds since the epoch, from the file's time
};

class RecoveryStore {
 public:
  // folder "" : DefaultRecoveryFolder().
  explicit RecoveryStore(std::string folder = {});
  // A store that kept nothing removes its lock file; kept edits stay for a
  // later program.
  ~RecoveryStore();
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  // Takes this process's place in the folder (made when missing). False when
  // there is no usable folder: the store then keeps nothing.
  bool Open();
  bool open() const { return own_.held(); }
  const std::string& folder() const { return folder_; }
  // This process's file.
  std::string ownPath() const { return ownBase_ + ".edits"; }

  // Replaces this process's file with the state.
  FileIoResult Keep(const EditorState& state, int64_t now);
  // Removes this process's file (the state is clean again).
  void Forget();

  // The newest edits that a process that is gone left, taken for this store
  // (no other program can take them until Dismiss); nullopt when there are
  // none.
  std::optional<LeftEdits> ClaimLeftEdits();
  // Reads taken edits; false for a damaged file.
  bool Load(const LeftEdits& left, const EditorState& base, EditorState& state) const;
  // Removes taken edits (restored or discarded) and lets them go.
  void Dismiss(const LeftEdits& left);

 private:
  std::string folder_;
  std::string ownBase_;  // folder/<pid>-<start time>
  FileLock own_;
  std::map<std::string, FileLock> claimed_;  // by the edits file's path
};

}  // namespace kv3
