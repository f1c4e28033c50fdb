#include "app/recovery_bar.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <chrono>

#include "editor/edit_history.h"

namespace kv3 {

RecoveryKeeper::RecoveryKeeper(std::string folder, std::function<const EditorState&()> state,
                               std::function<bool()> unsaved, QObject* parent)
    : QObject(parent),
      store_(std::move(folder)),
      state_(std::move(state)),
      unsaved_(std::move(unsaved)) {
  timer_.setSingleShot(true);
  timer_.setInterval(kQuietMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::KeepNow);
  // The user's keys and clicks in every window: a grid cell, a settings
  // list, a dialog's OK, an undo.
  qApp->installEventFilter(this);
  // The last edits are kept when the program ends, whatever was pending.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
    if (timer_.isActive()) KeepNow();
  });
}

RecoveryKeeper::~RecoveryKeeper() {
  qApp->removeEventFilter(this);
}

void RecoveryKeeper::Schedule() {
  timer_.start();
}

void RecoveryKeeper::KeepNow() {
  timer_.stop();
  if (!store_.open()) return;
  if (!unsaved_()) {
    if (!lastKept_) return;
    store_.Forget();
    lastKept_.reset();
    emit kept(false);
    return;
  }
  const EditorState& state = state_();
  if (lastKept_ && SameCodeplug(*lastKept_, state)) return;
  const auto now = std::chrono::duration_cast<std::chrono::seconds>(
      std::chrono::system_clock::now().time_since_epoch());
  // A failed write is tried again at the next change; the edits themselves
  // are in the window, nothing is lost by it.
  if (!store_.Keep(state, now.count()).ok()) return;
  lastKept_ = state;
  emit kept(true);
}

bool RecoveryKeeper::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
      // Every widget of a window sees the event on its way: the timer is
      // only restarted, which costs nothing.
      timer_.start();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

RecoveryBar::RecoveryBar(QWidget* parent) : QFrame(parent) {
  setObjectName("RecoveryBar");
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  QPalette shade = palette();
  shade.setColor(QPalette::Window, shade.color(QPalette::ToolTipBase));
  shade.setColor(QPalette::WindowText, shade.color(QPalette::ToolTipText));
  setPalette(shade);
  text_ = new QLabel(this);
  text_->setObjectName("RecoveryText");
  text_->setWordWrap(true);
  restore_ = new QPushButton(this);
  restore_->setObjectName("RecoveryRestore");
  discard_ = new QPushButton(this);
  discard_->setObjectName("RecoveryDiscard");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->addWidget(text_, 1);
  layout->addWidget(restore_);
  layout->addWidget(discard_);
  connect(restore_, &QPushButton::clicked, this, &RecoveryBar::restoreClicked);
  connect(discard_, &QPushButton::clicked, this, &RecoveryBar::discardClicked);
}

void RecoveryBar::FocusRestore() {
  restore_->setFocus(Qt::OtherFocusReason);
}

}  // namespace kv3
