#include "interchange/backup_views.h"

#include <algorithm>

#include "codeplug/codec.h"
#include "i18n/texts.h"
#include "interchange/codeplug_diff.h"
#include "interchange/entry_checks.h"

namespace kv3 {

std::vector<BackupRow> BackupRows(const std::vector<BackupInfo>& backups, Language lang) {
  std::vector<BackupRow> rows;
  rows.reserve(backups.size());
  for (auto it = backups.rbegin(); it != backups.rend(); ++it) {
    BackupRow row;
    row.path = it->path;
    row.kind = it->kind;
    row.readable = it->readable;
    row.cells[0] = it->time;
    row.cells[1] = Localize(it->kind == BackupKind::Write ? backups::kWrite : backups::kRead, lang);
    if (it->readable) {
      row.cells[2] = it->band.empty() ? "?" : it->band;
      row.cells[3] = std::to_string(it->channels);
      row.cells[4] = EscapeControls(it->info);
    } else {
      row.cells[2] = Localize(backups::kUnreadable, lang);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

namespace {
EditorState AsImageHoldsIt(const EditorState& state) {
  EditorState held = StartupState();
  if (!DecodeImage(std::span<const uint8_t>(EncodeImage(state)), held)) return state;
  return held;
}
}  // namespace

Comparison CompareWithEditor(const EditorState& other, const EditorState& editor,
                             CompareSource source, Language lang) {
  Comparison c;
  // Both as their images hold them (as a write sends the editor and a file of
  // it loads): a value the image cannot carry is no difference the radio
  // would see.
  c.lines = DifferenceLines(AsImageHoldsIt(other), AsImageHoldsIt(editor), lang);
  const bool english = lang == Language::English;
  c.heading =
      Localize(source == CompareSource::Radio ? compare::kRadioToEditor : compare::kBackupToEditor,
               lang) +
      (english ? ": " : "：");
  if (c.lines.empty())
    c.heading += Localize(compare::kEqual, lang);
  else
    c.heading +=
        std::to_string(c.lines.size()) +
        Localize(c.lines.size() == 1 ? compare::kOneDifference : compare::kDifferences, lang);
  return c;
}

}  // namespace kv3
