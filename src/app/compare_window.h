// The compare window frmCompare: what differs between a codeplug (the radio
// just read, or a backup) and the editor, field by field, in the lines
// kv3ctl diff prints. Compared with the radio it offers "Write Frequency",
// the main window's normal write.
#pragma once

#include <QWidget>
#include <optional>

#include "editor/editor_state.h"
#include "i18n/language.h"
#include "interchange/backup_views.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kv3 {

class CompareWindow : public QWidget {
  Q_OBJECT

 public:
  CompareWindow(Language language, QWidget* parent = nullptr);

  // Shows what differs from `other` to the editor (as the editor is now).
  void Compare(const EditorState& other, const EditorState& editor, CompareSource source);
  // The captions and the lines in a language.
  void SetLanguage(Language language);
  // Write Frequency may be clicked (no session runs).
  void SetWriteEnabled(bool enabled);
  QStringList lines() const;
  QString heading() const;

 signals:
  // Write Frequency was clicked: the window has closed.
  void writeRequested();

 private:
  void Show();

  Language language_;
  std::optional<EditorState> other_, editor_;
  CompareSource source_ = CompareSource::Radio;
  QLabel* lblSummary_;
  QListWidget* lstDifferences_;
  QPushButton* cmdWrite_;
};

}  // namespace kv3
