// Keeping the unsaved edits while the program runs, and the bar that offers
// back the edits an earlier run left (RecoveryStore holds the files).
//
// The keeper writes a moment after the last change: every change restarts a
// short single-shot timer, so typing never waits for the disk. A change is
// what a command records (Schedule) or any key or click of the user in any
// window of the program: when the timer ends, the editor's state is compared
// with what was kept last, and written only when it differs; a clean state
// removes the file.
#pragma once

#include <QFrame>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

#include "editor/editor_state.h"
#include "interchange/recovery_file.h"

class QLabel;
class QPushButton;

namespace kv3 {

class RecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  // How long the editor must stay unchanged before its state is written.
  static constexpr int kQuietMilliseconds = 400;

  // state gives the editor's state; unsaved tells whether it differs from
  // what was last opened, saved or read.
  RecoveryKeeper(std::string folder, std::function<const EditorState&()> state,
                 std::function<bool()> unsaved, QObject* parent = nullptr);
  ~RecoveryKeeper() override;

  RecoveryStore& store() { return store_; }
  // Something may have changed: write a moment from now.
  void Schedule();
  // Writes (or removes) at once what the timer would.
  void KeepNow();

 signals:
  // This process's file was written or removed.
  void kept(bool present);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  RecoveryStore store_;
  std::function<const EditorState&()> state_;
  std::function<bool()> unsaved_;
  QTimer timer_;
  std::optional<EditorState> lastKept_;  // nullopt: no file
};

// The bar at the top of the main window: a sentence and "Restore" /
// "Discard" (objectNames RecoveryText, RecoveryRestore, RecoveryDiscard, so
// the caption tables write them).
class RecoveryBar : public QFrame {
  Q_OBJECT

 public:
  explicit RecoveryBar(QWidget* parent = nullptr);
  // Restore takes the keyboard focus: the bar comes at start-up, before the
  // user works in the window, and a key answers it.
  void FocusRestore();

 signals:
  void restoreClicked();
  void discardClicked();

 private:
  QLabel* text_;
  QPushButton* restore_;
  QPushButton* discard_;
};

}  // namespace kv3
