// The window's undo history (the steps the user's changes to the codeplug
// make, and the clean mark of what a file or the radio holds), and the Edit
// menu that undoes, redoes and changes whole channels.
#include "app/main_window_edit.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app/main_window.h"
#include "app/main_window_menus.h"
#include "app/recovery_bar.h"
#include "dialogs/ui/form2.h"
#include "dialogs/ui/form4.h"
#include "dialogs/ui/form5.h"
#include "dialogs/ui/form6.h"
#include "dialogs/ui/form7.h"
#include "editor/ui/channel_grid_model.h"
#include "editor/ui/channel_grid_view.h"
#include "editor/ui/settings_panel.h"

namespace kv3 {

void MainWindow::RecordStep(EditStep step) {
  history_->Record(step, state_);
  edit_->Update();
  edit_->Refresh();
  if (recovery_) recovery_->Schedule();
}

void MainWindow::MarkClean() {
  history_->MarkClean(state_);
  if (recovery_) recovery_->Schedule();
}

bool MainWindow::HasUnsavedEdits() const {
  return !history_->IsClean(state_);
}

void MainWindow::BuildEditMenu(QMenuBar* bar) {
  edit_ = new EditActions(*this, bar);
}

EditActions::EditActions(MainWindow& window, QMenuBar* bar) : QObject(&window), w_(window) {
  mnuEdit_ = NewMenu(bar, "mnuEdit");
  auto add = [this](const char* name, void (EditActions::*command)(), QKeySequence key = {}) {
    QAction* action = NewAction(&w_, name);
    if (!key.isEmpty()) action->setShortcut(key);
    connect(action, &QAction::triggered, this, command);
    mnuEdit_->addAction(action);
    return action;
  };
  undo_ = add("mnuUndo", &EditActions::Undo, QKeySequence::Undo);
  redo_ = add("mnuRedo", &EditActions::Redo);
  redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  mnuEdit_->addSeparator();
  // The commands of the channels act on the grid: their keys work where
  // the grid has the focus (its editors keep their own Ctrl+C, Ctrl+V...).
  const std::pair<QAction*, bool> gridCommands[] = {
      {add("mnuCut", &EditActions::Cut, QKeySequence::Cut), true},
      {add("mnuCopy", &EditActions::Copy, QKeySequence::Copy), true},
      {add("mnuPaste", &EditActions::Paste, QKeySequence::Paste), true},
      {add("mnuDelete", &EditActions::DeleteChannels), false},
      {nullptr, false},
      {add("mnuInsert", &EditActions::InsertChannel), false},
      {add("mnuRemove", &EditActions::RemoveChannel), false},
      {add("mnuMoveUp", &EditActions::MoveUp, QKeySequence(Qt::ALT | Qt::Key_Up)), true},
      {add("mnuMoveDown", &EditActions::MoveDown, QKeySequence(Qt::ALT | Qt::Key_Down)), true},
      {add("mnuSort", &EditActions::Sort), false},
      {nullptr, false},
      {add("mnuSelectAll", &EditActions::SelectAll, QKeySequence::SelectAll), true},
  };
  for (const auto& [action, gridKey] : gridCommands) {
    if (!action) continue;
    if (gridKey) action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    commands_.push_back(action);
  }
  // Separators after Delete and Sort.
  mnuEdit_->insertSeparator(commands_[4]);
  mnuEdit_->insertSeparator(commands_[9]);

  // The bulk edits of the selected rows.
  mnuEdit_->addSeparator();
  // The submenus belong to the bar, as the menus do, where the captions find
  // them by name.
  mnuBulk_ = new QMenu(bar);
  mnuBulk_->setObjectName("mnuBulk");
  mnuEdit_->addMenu(mnuBulk_);
  const char* choiceMenus[] = {"mnuBulkPower", "mnuBulkForbid", "mnuBulkBandwidth", "mnuBulkScan"};
  for (int k = 0; k < 4; ++k) {
    auto* menu = new QMenu(bar);
    menu->setObjectName(choiceMenus[k]);
    mnuBulk_->addMenu(menu);
    for (int position = 0; position < 2; ++position) {
      QAction* action = NewAction(&w_, kBulkChoiceNames[k][position]);
      menu->addAction(action);
      connect(action, &QAction::triggered, this,
              [this, col = k + 5, position] { SetChoice(col, position); });
    }
  }
  QAction* rxTone = NewAction(&w_, "mnuBulkRxTone");
  QAction* txTone = NewAction(&w_, "mnuBulkTxTone");
  mnuBulk_->addAction(rxTone);
  mnuBulk_->addAction(txTone);
  connect(rxTone, &QAction::triggered, this, [this] { SetTone(2); });
  connect(txTone, &QAction::triggered, this, [this] { SetTone(4); });

  mnuEdit_->addSeparator();
  problemsAction_ = NewAction(&w_, "mnuProblems");
  problemsAction_->setCheckable(true);
  mnuEdit_->addAction(problemsAction_);
}

void EditActions::ConnectCentre() {
  ChannelGridView* grid = w_.grid_;
  for (QAction* action : commands_)
    if (action->shortcutContext() == Qt::WidgetWithChildrenShortcut) grid->addAction(action);
  connect(grid, &ChannelGridView::edited, &w_, &MainWindow::RecordStep);
  connect(grid, &ChannelGridView::contextMenuWanted, this, &EditActions::ShowContextMenu);
  for (int i = 0; i < SettingsPanel::kCount; ++i) {
    connect(w_.settings_->list(i), &QComboBox::currentIndexChanged, this, [this] {
      if (w_.history_) w_.RecordStep(EditStep::FunctionSettings);
    });
  }
  BuildProblemsDock();
  Update();
  Refresh();
}

void EditActions::ConnectDialogs() {
  const std::pair<QWidget*, EditStep> dialogs[] = {
      {w_.form2_.get(), EditStep::PowerTuning},       {w_.form4_.get(), EditStep::TestFrequencies},
      {w_.form5_.get(), EditStep::OptionalFunctions}, {w_.form6_.get(), EditStep::KeysSet},
      {w_.form7_.get(), EditStep::EmbeddedInfo},
  };
  for (const auto& [dialog, step] : dialogs) {
    // The dialog stores its values on OK before this runs (it connected first).
    if (auto* ok = dialog->findChild<QPushButton*>("Command1"))
      connect(ok, &QPushButton::clicked, this, [this, s = step] { w_.RecordStep(s); });
  }
}

bool EditActions::Allowed() const {
  return !w_.locked() && !sessionRunning_ && w_.grid_ && w_.grid_->isEnabled();
}

void EditActions::SetSessionRunning(bool running) {
  sessionRunning_ = running;
  if (w_.grid_) w_.grid_->SetCommandsEnabled(!running);
  Update();
}

void EditActions::Update() {
  const bool allowed = Allowed();
  const EditHistory* history = w_.history_.get();
  const Language lang = w_.language_;
  const auto undo = history ? history->UndoStep() : std::nullopt;
  const auto redo = history ? history->RedoStep() : std::nullopt;
  undo_->setEnabled(allowed && undo.has_value());
  redo_->setEnabled(allowed && redo.has_value());
  undo_->setText(
      QString::fromStdString(undo ? UndoText(*undo, false, lang) : Localize(kUndoVerb, lang)));
  redo_->setText(
      QString::fromStdString(redo ? UndoText(*redo, true, lang) : Localize(kRedoVerb, lang)));
  for (QAction* action : commands_) action->setEnabled(allowed);
  mnuBulk_->setEnabled(allowed);
}

void EditActions::Retranslate() {
  Update();
  if (problemsDock_) {
    problemsDock_->setWindowTitle(
        QString::fromStdString(Localize(kProblemsListTitle, w_.language_)));
    Refresh();
  }
}

void EditActions::Undo() {
  if (!undo_->isEnabled()) return;
  w_.grid_->CommitOpenEditor();
  if (!w_.history_->Undo(w_.state_)) return;
  w_.LoadFromState();
  if (RecoveryKeeper* keeper = w_.recoveryKeeper()) keeper->Schedule();
  Update();
  Refresh();
}

void EditActions::Redo() {
  if (!redo_->isEnabled()) return;
  w_.grid_->CommitOpenEditor();
  if (!w_.history_->Redo(w_.state_)) return;
  w_.LoadFromState();
  if (RecoveryKeeper* keeper = w_.recoveryKeeper()) keeper->Schedule();
  Update();
  Refresh();
}

void EditActions::Changed(bool changed, EditStep step) {
  if (!changed) return;
  w_.LoadFromState();
  w_.RecordStep(step);
}

}  // namespace kv3
