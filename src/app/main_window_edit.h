// The main window's editing: the Edit menu and the same commands on the
// grid's right-click menu, undo and redo of every change the user makes to
// the codeplug, the clipboard in the channel list's columns, the bulk edits
// of the selected rows and the problems list. It is a part of MainWindow
// (its friend): it reads the window's state, grid and dialogs, and every
// command ends in MainWindow::RecordStep.
#pragma once

#include <QObject>
#include <array>
#include <vector>

#include "i18n/edit_texts.h"

class QAction;
class QDockWidget;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPoint;

namespace kv3 {

class MainWindow;

class EditActions : public QObject {
  Q_OBJECT

 public:
  EditActions(MainWindow& window, QMenuBar* bar);

  // Once the grid, the settings and the history exist: their changes become
  // steps, the grid's right click opens the context menu.
  void ConnectCentre();
  // Once the feature dialogs exist: each one's OK becomes a step.
  void ConnectDialogs();
  // What may be done now: the lock and a running session stop every command;
  // Undo and Redo name their step.
  void Update();
  void SetSessionRunning(bool running);
  // The texts made here (Undo's step, the problems list) in the language.
  void Retranslate();
  // After a step, an undo or a redo: the problems list lists again.
  void Refresh();

  // The commands (the menu's actions call them).
  void Undo();
  void Redo();
  void Cut();
  void Copy();
  void Paste();
  void DeleteChannels();
  void InsertChannel();
  void RemoveChannel();
  void MoveUp();
  void MoveDown();
  void Sort();
  void SelectAll();
  void SetChoice(int col, int position);
  void SetTone(int col);

 private:
  bool Allowed() const;
  // A command changed the state (or not): every control shows it, and a
  // change is one step.
  void Changed(bool changed, EditStep step);
  void ShowContextMenu(const QPoint& global);
  void BuildProblemsDock();
  void ProblemActivated(QListWidgetItem* item);
  void RememberProblemsVisible(bool visible);

  MainWindow& w_;
  bool sessionRunning_ = false;
  QMenu* mnuEdit_ = nullptr;
  QMenu* mnuBulk_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  // Every command but Undo and Redo, in the menu's order.
  std::vector<QAction*> commands_;
  QAction* problemsAction_ = nullptr;
  QDockWidget* problemsDock_ = nullptr;
  QListWidget* problemsList_ = nullptr;
};

}  // namespace kv3
