// The radio session's wiring: the session's effects shown in the main
// window (status line, progress, the controls a session disables, its
// messages and the band question), Read and Write, and a read image taken
// into the editor and kept as a backup.
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "app/main_window.h"
#include "app/main_window_edit.h"
#include "codeplug/codec.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/messages.h"
#include "interchange/backups.h"
#include "link/qt/qt_link.h"

namespace kv3 {

void MainWindow::ConnectSession() {
  QtSession* s = session_.get();
  connect(s, &QtSession::statusTextChanged, Label_, &QLabel::setText);
  connect(s, &QtSession::statusVisibleChanged, Label_, &QWidget::setVisible);
  connect(s, &QtSession::progressChanged, this, [this](int value, int maximum, bool visible) {
    ProgressBar1_->setRange(0, maximum);
    ProgressBar1_->setValue(value);
    ProgressBar1_->setVisible(visible);
  });
  connect(s, &QtSession::controlsEnabledChanged, this, &MainWindow::SetSessionControlsEnabled);
  // A session puts the focus on the band list; a locked editor keeps its band
  // frame disabled, so a session never opens a way around the lock.
  connect(s, &QtSession::focusBandList, this, [this] {
    if (!locked()) Frame1_->setEnabled(true);
    Combo1_->setFocus(Qt::OtherFocusReason);
  });
  connect(s, &QtSession::messageRequested, this,
          [this](const QString& text, int buttons) { Message(text.toStdString(), buttons); });
  connect(s, &QtSession::bandQuestionAsked, this, [this](const QString& text) {
    const int answer = Message(text.toStdString(), kButtonsYesNo);
    session_->answerBandQuestion(answer == mr::kYes);
  });
  connect(s, &QtSession::imageRead, this, &MainWindow::ImageRead, Qt::DirectConnection);
  ConnectBackups();
}

void MainWindow::SetSessionControlsEnabled(bool enabled) {
  Toolbar1_->setEnabled(enabled);
  mnupro_->setEnabled(enabled);
  mnupro_->menuAction()->setEnabled(enabled);
  mnureadFre_->setEnabled(enabled);
  mnuwriteFre_->setEnabled(enabled);
  toolbarButtons_[4]->setEnabled(enabled);
  toolbarButtons_[5]->setEnabled(enabled);
  edit_->SetSessionRunning(!enabled);
}

void MainWindow::StartRead() {
  FinishStartup();
  grid_->CommitOpenEditor();
  session_->startRead();
}

void MainWindow::StartWrite() {
  FinishStartup();
  grid_->CommitOpenEditor();
  session_->startWrite();
}

void MainWindow::ImageRead(const QByteArray& image) {
  if (TakeCompareRead(image)) return;
  const auto* bytes = reinterpret_cast<const uint8_t*>(image.constData());
  const std::span<const uint8_t> read(bytes, static_cast<size_t>(image.size()));
  recordFile_.clear();
  if (DecodeImage(read, state_)) {
    RecordStep(EditStep::Read);  // before the controls show it, as Open
    LoadFromState();
  }
  MarkClean();
  // A band code the list does not know: said once the session has ended (the
  // session itself makes the next write ask the band question).
  if (HasUnknownBandCode(read)) QTimer::singleShot(0, this, [this] { SayUnknownBandCode(); });
  // Every complete read is also kept as a backup. A backup that cannot be
  // written is reported once the session has ended; the read stands.
  if (static_cast<size_t>(image.size()) >= kImageSize) {
    MemoryImage copy{};
    std::copy_n(bytes, kImageSize, copy.begin());
    const BackupResult backup = BackupAfterRead(copy);
    if (!backup.ok) {
      const std::string text = Localize(msg::kBackupFailed, language_) + backup.error;
      QTimer::singleShot(0, this, [this, text] { Message(text, mb::kIconExclamation); });
    }
  }
}

void MainWindow::SayUnknownBandCode() {
  Message(MessageSpec{&msg::kUnknownBandCode, mb::kOkOnly + mb::kIconExclamation, nullptr});
}

}  // namespace kv3
