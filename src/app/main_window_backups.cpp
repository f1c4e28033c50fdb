// Backups and compare: File ▸ Backups… (open a backup into the editor,
// compare it with the editor, delete it, show its folder), the backup of
// every complete write, and Programming ▸ Compare with Radio, which reads the
// radio without touching the editor and shows what a write would change.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "app/backups_window.h"
#include "app/compare_window.h"
#include "app/main_window.h"
#include "app/main_window_menus.h"
#include "codeplug/codec.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/messages.h"
#include "image/codeplug_file.h"
#include "interchange/backups.h"
#include "link/qt/qt_link.h"

namespace kv3 {

void MainWindow::AddBackupsCommand(QMenu* file) {
  // After Import and Export, before the line above Quit.
  QAction* line = nullptr;
  for (QAction* action : file->actions())
    if (action->objectName() == "mnuline") line = action;
  QAction* mnuBackups = NewAction(this, "mnuBackups");
  file->insertAction(line, mnuBackups);
  connect(mnuBackups, &QAction::triggered, this, &MainWindow::ShowBackups);
}

void MainWindow::AddCompareCommand(QMenu* programming) {
  mnuCompareRadio_ = NewAction(this, "mnuCompareRadio");
  programming->addAction(mnuCompareRadio_);
  connect(mnuCompareRadio_, &QAction::triggered, this, &MainWindow::CompareWithRadio);
}

void MainWindow::ConnectBackups() {
  QtSession* s = session_.get();
  // Compare with Radio is a read: disabled with Read while a session runs, and
  // so is the compare window's Write Frequency.
  connect(s, &QtSession::controlsEnabledChanged, this, [this](bool enabled) {
    mnuCompareRadio_->setEnabled(enabled);
    if (compare_) compare_->SetWriteEnabled(enabled);
  });
  // Queued, after the session's own message.
  connect(s, &QtSession::sessionEnded, this, [this](int ended) {
    const auto outcome = static_cast<SessionOutcome>(ended);
    if (outcome == SessionOutcome::WriteComplete) {
      // The image the radio got is kept as a backup; a backup that cannot be
      // written never undoes the write.
      const BackupResult backup = BackupAfterWrite(session_->session().WrittenImage());
      if (!backup.ok) BackupFailed(msg::kWriteBackupFailed, backup.error);
      if (backups_) backups_->Refresh();
      return;
    }
    if (!compareReadPending_) {
      if (outcome == SessionOutcome::ReadComplete && backups_) backups_->Refresh();
      return;
    }
    compareReadPending_ = false;
    std::unique_ptr<EditorState> radio = std::move(radioRead_);
    // A failed read has said so (the session's message); nothing to compare.
    if (outcome != SessionOutcome::ReadComplete || !radio) return;
    // The band the radio holds is the one a write is checked against, as
    // after a read (the session took the editor's band, which this read did
    // not change): writing another band asks first.
    session_->session().SetLastBand(radioBand_);
    if (backups_) backups_->Refresh();
    if (!compare_) {
      compare_ = new CompareWindow(language_, this);
      connect(compare_, &CompareWindow::writeRequested, this, &MainWindow::StartWrite);
    }
    compare_->SetWriteEnabled(session_->session().ControlsEnabled());
    compare_->Compare(*radio, state_, CompareSource::Radio);
    ShowWindow(compare_);
  });
}

bool MainWindow::TakeCompareRead(const QByteArray& image) {
  if (!compareReadPending_) return false;
  MemoryImage read{};
  std::copy_n(reinterpret_cast<const uint8_t*>(image.constData()),
              std::min<size_t>(kImageSize, static_cast<size_t>(image.size())), read.begin());
  radioRead_ = std::make_unique<EditorState>(StartupState());
  if (!DecodeImage(std::span<const uint8_t>(read), *radioRead_)) radioRead_.reset();
  radioBand_ = HasUnknownBandCode(read) || !radioRead_ ? kUnknownBand : radioRead_->band.index;
  // Kept as a backup like every read.
  const BackupResult backup = BackupAfterRead(read);
  if (!backup.ok) BackupFailed(msg::kBackupFailed, backup.error);
  return true;
}

void MainWindow::BackupFailed(const Text2& message, const std::string& error) {
  const std::string text = Localize(message, language_) + error;
  QTimer::singleShot(0, this, [this, text] { Message(text, mb::kIconExclamation); });
}

void MainWindow::CompareWithRadio() {
  FinishStartup();
  if (session_->session().Running()) return;
  grid_->CommitOpenEditor();
  compareReadPending_ = true;
  radioRead_.reset();
  // A refused start (the port is closed) has said so; no session follows.
  if (!session_->startRead()) compareReadPending_ = false;
}

void MainWindow::ShowBackups() {
  FinishStartup();
  if (!backups_) {
    backups_ = new BackupsWindow(DefaultBackupFolder(), language_,
                                 messageBoxes_.For([this] { return backups_; }), this);
    connect(backups_, &BackupsWindow::openRequested, this, &MainWindow::OpenBackup);
    connect(backups_, &BackupsWindow::compareRequested, this, &MainWindow::CompareBackup);
  }
  ShowWindow(backups_);
}

namespace {
// The backup as an editor state; the reason when it cannot be read.
bool LoadBackupState(const QString& path, EditorState& state, MemoryImage& image,
                     std::string& error) {
  const FileResult loaded = LoadCodeplug(QFile::encodeName(path).toStdString(), image);
  if (!loaded.ok()) {
    error = loaded.detail;
    return false;
  }
  state = StartupState();
  if (!DecodeImage(std::span<const uint8_t>(image), state)) {
    error = "not a codeplug";
    return false;
  }
  return true;
}
}  // namespace

void MainWindow::OpenBackup(const QString& path) {
  grid_->CommitOpenEditor();
  EditorState opened;
  MemoryImage image{};
  std::string error;
  // Checked whole before the editor changes.
  if (!LoadBackupState(path, opened, image, error)) {
    Message(Localize(msg::kReadFailed, language_) + path.toStdString() + "\n" + error,
            mb::kIconStop);
    return;
  }
  if (!DecodeImage(std::span<const uint8_t>(image), state_)) return;
  // One undo step, recorded before the controls show it (as Open); the
  // editor's file is not the backup, so it is not clean.
  RecordStep(EditStep::OpenBackup);
  LoadFromState();
  if (HasUnknownBandCode(image)) {
    session_->session().SetLastBand(kUnknownBand);
    SayUnknownBandCode();
  }
}

void MainWindow::CompareBackup(const QString& path) {
  grid_->CommitOpenEditor();
  EditorState backup;
  MemoryImage image{};
  std::string error;
  if (!LoadBackupState(path, backup, image, error)) {
    Message(Localize(msg::kReadFailed, language_) + path.toStdString() + "\n" + error,
            mb::kIconStop);
    return;
  }
  if (!compare_) {
    compare_ = new CompareWindow(language_, this);
    connect(compare_, &CompareWindow::writeRequested, this, &MainWindow::StartWrite);
  }
  compare_->Compare(backup, state_, CompareSource::Backup);
  ShowWindow(compare_);
}

}  // namespace kv3
