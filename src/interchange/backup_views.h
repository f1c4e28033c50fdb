// What the backups window and the compare window show, as texts in the
// user's language: the rows of the backups (newest first) and what differs
// between a codeplug and the editor, in the lines kv3ctl diff prints.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"
#include "interchange/backups.h"

namespace kv3 {

struct BackupRow {
  std::string path;
  BackupKind kind = BackupKind::Read;
  bool readable = false;
  // Time, kind ("Read" / "Write"), band, number of channels, the first
  // embedded information line (control characters escaped).
  std::array<std::string, 5> cells;
};

// The backups of a list (oldest first, as ListBackups gives them) as the
// window shows them: newest first.
std::vector<BackupRow> BackupRows(const std::vector<BackupInfo>& backups, Language lang);

// Where the other codeplug of a comparison comes from.
enum class CompareSource { Radio, Backup };

struct Comparison {
  // "Radio → editor: 3 differences" or "Radio → editor: No differences."
  std::string heading;
  // DifferenceLines(other, the editor as its image holds it): what a write
  // of the editor would change, the lines kv3ctl diff prints for the two
  // images.
  std::vector<std::string> lines;
};

Comparison CompareWithEditor(const EditorState& other, const EditorState& editor,
                             CompareSource source, Language lang);

}  // namespace kv3
