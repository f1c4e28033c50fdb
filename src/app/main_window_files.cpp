// The File menu and its commands: New, Open, Save and Quit. Open and Save ask
// for the file through the window's file-dialog seam.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "app/main_window.h"
#include "app/main_window_menus.h"
#include "codeplug/codec.h"
#include "dialogs/ui/file_dialogs.h"
#include "editor/band_rules.h"
#include "editor/grid_edit.h"
#include "editor/ui/channel_grid_model.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/messages.h"
#include "image/codeplug_file.h"
#include "link/qt/qt_link.h"

namespace kv3 {

void MainWindow::BuildFileMenu(QMenuBar* bar) {
  QMenu* mnuFile = NewMenu(bar, "mnuFile");
  QAction* mnuNew = NewAction(this, "mnuNew");
  QAction* mnuOpen = NewAction(this, "mnuOpen");
  QAction* mnuAssave = NewAction(this, "mnuAssave");
  QAction* mnuQuit = NewAction(this, "mnuQuit");
  mnuFile->addAction(mnuNew);
  mnuFile->addAction(mnuOpen);
  mnuFile->addAction(mnuAssave);
  mnuFile->addSeparator()->setObjectName("mnuline");
  mnuFile->addAction(mnuQuit);
  connect(mnuNew, &QAction::triggered, this, &MainWindow::FileNew);
  connect(mnuOpen, &QAction::triggered, this, &MainWindow::FileOpen);
  connect(mnuAssave, &QAction::triggered, this, &MainWindow::FileSave);
  connect(mnuQuit, &QAction::triggered, this, &QWidget::close);
  AddFileCommands(mnuFile);
  AddBackupsCommand(mnuFile);
  AddPrintCommands(mnuFile);
}

void MainWindow::FileNew() {
  grid_->CommitOpenEditor();
  const MessageSpec warning{&msg::kNewWarning,
                            mb::kOkCancel + mb::kIconExclamation + mb::kDefaultButton2,
                            &msg::kWarningTitle};
  if (Message(warning) == mr::kCancel) return;
  ClearGrid1(state_.grid);
  model_->Reload();
  recordFile_.clear();
  RecordStep(EditStep::New);
}

void MainWindow::FileOpen() {
  grid_->CommitOpenEditor();
  const QString file = fileDialogs_->AskFileName(FileDialogKind::OpenCodeplug);
  if (file.isEmpty()) return;
  OpenCodeplugPath(file);
}

bool MainWindow::OpenCodeplugPath(const QString& file) {
  grid_->CommitOpenEditor();
  MemoryImage image{};
  const FileResult result = LoadCodeplug(QFile::encodeName(file).toStdString(), image);
  switch (result.error) {
    case FileError::None:
      recordFile_ = file;
      // The step is recorded before the controls show the new state, as
      // every step that replaces the codeplug: a settings list that changes
      // while it loads would otherwise record the step under its own name.
      if (DecodeImage(std::span<const uint8_t>(image), state_)) {
        RecordStep(EditStep::Open);
        LoadFromState();
      }
      MarkClean();
      // The band shown is not the file's: a write asks before it changes a
      // radio's band to it.
      if (HasUnknownBandCode(image)) {
        session_->session().SetLastBand(kUnknownBand);
        SayUnknownBandCode();
      }
      NoteRecentFile(file);
      return true;
    case FileError::WrongType:
      Message(MessageSpec{&msg::kWrongFileType, mb::kOkOnly, nullptr});
      return false;
    default:
      Message(Localize(msg::kReadFailed, language_) + file.toStdString() + "\n" + result.detail,
              mb::kIconStop);
      return false;
  }
}

void MainWindow::FileSave() {
  grid_->CommitOpenEditor();
  for (;;) {
    const QString file = fileDialogs_->AskFileName(FileDialogKind::SaveCodeplug);
    if (file.isEmpty()) return;
    if (QFileInfo::exists(file)) {
      const MessageSpec overwrite{&msg::kOverwrite, mb::kYesNo + mb::kIconQuestion, nullptr};
      if (Message(overwrite) != mr::kYes) continue;  // back to the dialog
    }
    const FileResult result =
        ::kv3::SaveCodeplug(QFile::encodeName(file).toStdString(), EncodeImage(state_));
    if (!result.ok()) {
      Message(Localize(msg::kSaveFailed, language_) + file.toStdString() + "\n" + result.detail,
              mb::kIconStop);
      return;
    }
    setWindowTitle(QString::fromUtf8(kAppTitle) + "-" + file);
    recordFile_ = file;
    MarkClean();
    NoteRecentFile(file);
    return;
  }
}

}  // namespace kv3
