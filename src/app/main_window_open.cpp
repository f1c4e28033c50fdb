// Files from outside the File menu's dialogs and the keeping of unsaved
// edits: Open Recent, Import and Export in the File menu, the files the
// command line names and those dropped on the window (all of them open
// through OpenCodeplugPath, as Open does, or import through ImportPath), and
// the bar that offers back the edits an earlier run left.
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "app/main_window_menus.h"
#include "app/recovery_bar.h"
#include "dialogs/ui/file_dialogs.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/messages.h"
#include "interchange/file_import.h"
#include "interchange/recent_files.h"
#include "platform/atomic_file.h"

namespace kv3 {

namespace {

std::string LocalPath(const QString& file) {
  return QFile::encodeName(file).toStdString();
}

// The local files of a drop; nothing when it carries anything else.
QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    files << url.toLocalFile();
  }
  return files;
}

}  // namespace

void MainWindow::TakeFileOptions(const StartupOptions& options) {
  recentFiles_ = std::make_unique<RecentFiles>(
      options.recentFilesPath.empty() ? DefaultRecentFilesPath() : options.recentFilesPath);
  keepUnsavedEdits_ = options.keepUnsavedEdits;
  recoveryFolder_ = options.recoveryFolder;
}

void MainWindow::AddFileCommands(QMenu* mnuFile) {
  // New, Open, Open Recent, Save, a line, Import, Export, (more commands of
  // files), a line, Quit.
  QAction* save = nullptr;
  QAction* line = nullptr;
  for (QAction* action : mnuFile->actions()) {
    if (action->objectName() == "mnuAssave") save = action;
    if (action->objectName() == "mnuline") line = action;
  }
  mnuOpenRecent_ = new QMenu(menuBar());  // reached by name from the bar
  mnuOpenRecent_->setObjectName("mnuOpenRecent");
  mnuFile->insertMenu(save, mnuOpenRecent_);
  QAction* mnuImport = NewAction(this, "mnuImport");
  QAction* mnuExport = NewAction(this, "mnuExport");
  mnuFile->insertSeparator(line)->setObjectName("mnuline2");
  mnuFile->insertAction(line, mnuImport);
  mnuFile->insertAction(line, mnuExport);
  connect(mnuImport, &QAction::triggered, this, &MainWindow::FileImport);
  connect(mnuExport, &QAction::triggered, this, &MainWindow::FileExport);
  // The list is read again each time the menu opens: another program may
  // have changed it, and a file may have gone.
  connect(mnuFile, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
  FillRecentMenu();
  setAcceptDrops(true);
  if (keepUnsavedEdits_) QTimer::singleShot(0, this, &MainWindow::StartKeepingEdits);
}

std::vector<std::string> MainWindow::RecentFileList() const {
  return recentFiles_->Entries();
}

void MainWindow::FillRecentMenu() {
  mnuOpenRecent_->clear();
  const std::vector<std::string> entries = recentFiles_->Entries();
  int n = 0;
  for (const std::string& entry : entries) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(entry));
    QString label = QDir::toNativeSeparators(path);
    label.replace('&', QStringLiteral("&&"));
    QAction* action = mnuOpenRecent_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(label));
    action->setObjectName(QStringLiteral("mnuRecent%1").arg(n));
    action->setData(path);
    connect(action, &QAction::triggered, this, [this, path] { OpenPath(path); });
  }
  mnuOpenRecent_->setEnabled(!entries.empty());
}

void MainWindow::NoteRecentFile(const QString& file) {
  // A list that cannot be written costs only the list: nothing to say.
  (void)recentFiles_->Add(LocalPath(file));
  FillRecentMenu();
}

void MainWindow::OpenPath(const QString& path) {
  if (InterchangeFormatOf(LocalPath(path)) != InterchangeFormat::Unknown)
    ImportPath(path);
  else
    OpenCodeplugPath(path);
}

void MainWindow::OpenWhenShown(const QStringList& files) {
  if (files.isEmpty()) return;
  // After the first paint and the rest of start-up, so that a message has
  // its window and the dialogs show what was opened.
  QTimer::singleShot(0, this, [this, files] {
    FinishStartup();
    for (const QString& file : files) OpenPath(file);
  });
}

void MainWindow::FileImport() {
  grid_->CommitOpenEditor();
  const QString file = fileDialogs_->AskFileName(FileDialogKind::ImportInterchange);
  if (file.isEmpty()) return;
  ImportPath(file);
}

void MainWindow::ImportPath(const QString& file) {
  grid_->CommitOpenEditor();
  const std::string path = LocalPath(file);
  if (InterchangeFormatOf(path) == InterchangeFormat::Unknown) {
    Message(MessageSpec{&msg::kNotInterchange, mb::kOkOnly + mb::kIconExclamation, nullptr});
    return;
  }
  EditorState imported = state_;
  kv3::FileImport result = ImportInterchangeFile(path, imported, /*skipBad=*/false);
  if (!result.failure.empty()) {
    std::string text = Localize(msg::kImportFailed, language_) + file.toStdString() + "\n" +
                       result.failure + "\n" + ImportProblemLines(result, language_);
    while (!text.empty() && text.back() == '\n') text.pop_back();
    Message(text, mb::kIconStop);
    return;
  }
  if (!result.changed) {
    std::string text =
        Localize(msg::kImportRefused, language_) + "\n" + ImportProblemLines(result, language_);
    if (!result.CanTakeGoodRows()) {
      text.pop_back();
      Message(text, mb::kIconExclamation);
      return;
    }
    text += "\n" + Localize(msg::kTakeGoodRows, language_);
    if (Message(text, mb::kYesNo + mb::kIconQuestion) != mr::kYes) return;
    // The editor may have changed while the question was open.
    grid_->CommitOpenEditor();
    imported = state_;
    result = ImportInterchangeFile(path, imported, /*skipBad=*/true);
    if (!result.changed) return;
  }
  imported.grid.EditRow = state_.grid.EditRow;
  imported.grid.EditCol = state_.grid.EditCol;
  imported.grid.GridEditRequested = state_.grid.GridEditRequested;
  state_ = std::move(imported);
  // Recorded before the controls show it: a list that changes as it loads
  // would record the step under its own name.
  RecordStep(EditStep::Import);
  LoadFromState();
  NoteRecentFile(file);
}

void MainWindow::FileExport() {
  grid_->CommitOpenEditor();
  for (;;) {
    const QString file = fileDialogs_->AskFileName(FileDialogKind::ExportInterchange);
    if (file.isEmpty()) return;
    const InterchangeFormat format = InterchangeFormatOf(LocalPath(file));
    if (format == InterchangeFormat::Unknown) {
      Message(MessageSpec{&msg::kNotInterchange, mb::kOkOnly + mb::kIconExclamation, nullptr});
      continue;
    }
    if (QFileInfo::exists(file)) {
      const MessageSpec overwrite{&msg::kOverwrite, mb::kYesNo + mb::kIconQuestion, nullptr};
      if (Message(overwrite) != mr::kYes) continue;  // back to the dialog
    }
    const InterchangeExport out = ExportInterchange(format, state_);
    const FileIoResult written = WriteFileAtomically(LocalPath(file), out.text);
    if (!written.ok()) {
      Message(Localize(msg::kSaveFailed, language_) + file.toStdString() + "\n" + written.detail,
              mb::kIconStop);
      return;
    }
    if (!out.leftOut.empty()) {
      std::string channels;
      for (int n : out.leftOut) channels += (channels.empty() ? "" : ", ") + std::to_string(n);
      Message(Localize(msg::kExportLeftOut, language_) + channels, mb::kIconExclamation);
    }
    return;
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  // Opened after the drop has ended: a message box must not run inside the
  // drag and drop of the other program.
  QTimer::singleShot(0, this, [this, files] {
    FinishStartup();
    for (const QString& file : files) OpenPath(file);
  });
}

void MainWindow::StartKeepingEdits() {
  if (recovery_) return;
  recovery_ = std::make_unique<RecoveryKeeper>(
      recoveryFolder_, [this]() -> const EditorState& { return state_; },
      [this] { return HasUnsavedEdits(); });
  recoveryBar_ = new RecoveryBar;
  recoveryBar_->hide();
  QWidget* centre = takeCentralWidget();
  auto* holder = new QWidget;
  holder->setObjectName("CentreHolder");
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(recoveryBar_);
  layout->addWidget(centre, 1);
  setCentralWidget(holder);
  // The bar's texts are rows of the caption tables: a language switch
  // writes them with the window's others.
  for (const char* control : {"RecoveryText", "RecoveryRestore", "RecoveryDiscard"}) {
    const std::string text = CaptionText(CaptionTarget{Window::Form1, control}, language_);
    if (auto* label = recoveryBar_->findChild<QLabel*>(control))
      label->setText(QString::fromStdString(text));
    else if (auto* button = recoveryBar_->findChild<QPushButton*>(control))
      button->setText(QString::fromStdString(text));
  }
  connect(recoveryBar_, &RecoveryBar::restoreClicked, this, &MainWindow::RestoreLeftEdits);
  connect(recoveryBar_, &RecoveryBar::discardClicked, this, &MainWindow::DiscardLeftEdits);
  if (!recovery_->store().Open()) return;
  // Edits made before the keeper was there.
  recovery_->Schedule();
  OfferLeftEdits();
}

void MainWindow::OfferLeftEdits() {
  leftEdits_.reset();
  leftState_.reset();
  RecoveryStore& store = recovery_->store();
  while (std::optional<LeftEdits> left = store.ClaimLeftEdits()) {
    auto restored = std::make_unique<EditorState>();
    if (!store.Load(*left, StartupState(), *restored)) {
      store.Dismiss(*left);  // damaged: nothing to offer
      continue;
    }
    leftEdits_ = std::make_unique<LeftEdits>(*left);
    leftState_ = std::move(restored);
    break;
  }
  if (!leftEdits_) {
    recoveryBar_->hide();
    return;
  }
  recoveryBar_->show();
  recoveryBar_->FocusRestore();
}

void MainWindow::RestoreLeftEdits() {
  if (!leftEdits_ || !leftState_) return;
  grid_->CommitOpenEditor();
  EditorState restored = *leftState_;
  restored.grid.EditRow = state_.grid.EditRow;
  restored.grid.EditCol = state_.grid.EditCol;
  restored.grid.GridEditRequested = state_.grid.GridEditRequested;
  restored.shared.TuningUnlocked = state_.shared.TuningUnlocked;
  state_ = std::move(restored);
  RecordStep(EditStep::RestoreEdits);  // before the controls show it, as Import
  LoadFromState();
  // Kept as this process's own before the old file goes.
  recovery_->KeepNow();
  recovery_->store().Dismiss(*leftEdits_);
  leftEdits_.reset();
  leftState_.reset();
  recoveryBar_->hide();
}

void MainWindow::DiscardLeftEdits() {
  if (!leftEdits_) return;
  recovery_->store().Dismiss(*leftEdits_);
  OfferLeftEdits();
}

}  // namespace kv3
