// The file dialogs of the program, behind a seam: the main window asks the
// FileDialogPresenter it holds, which is Qt's dialog unless a test or a tool
// stands in for it. Save never asks about overwriting: the caller asks in the
// program's own words.
#pragma once

#include <QString>

class QWidget;

namespace kv3 {

// What a dialog is asked for (its filter and whether it opens or saves).
enum class FileDialogKind {
  OpenCodeplug,       // an existing "KV-3(T2)(*.DAT)" file
  SaveCodeplug,       // a "KV-3(T2)(*.DAT)" file to write, ".DAT" added when typed without
  ImportInterchange,  // an existing CSV channel list or JSON codeplug
  ExportInterchange,  // a CSV or JSON file to write, the chosen filter's ending added
  SavePdf,            // a "PDF(*.pdf)" file to write, ".pdf" added when typed without
};

class FileDialogPresenter {
 public:
  virtual ~FileDialogPresenter() = default;
  // The chosen file name, or an empty text when the dialog was cancelled.
  virtual QString AskFileName(FileDialogKind kind) = 0;
};

// Qt's file dialog, owned by a window; each opens in the folder of the last
// file chosen through it.
class QtFileDialogs final : public FileDialogPresenter {
 public:
  explicit QtFileDialogs(QWidget* owner) : owner_(owner) {}
  QString AskFileName(FileDialogKind kind) override;

 private:
  QWidget* owner_;
  QString lastFolder_;
};

}  // namespace kv3
