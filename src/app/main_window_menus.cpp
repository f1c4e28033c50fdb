// The main window's menu bar and toolbar. Each menu is built by a function
// of its own, in the order of the bar; a menu with commands of its own
// (File) is built beside them, in that file.
#include "app/main_window_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <functional>

#include "app/main_window.h"
#include "dialogs/ui/about_box.h"
#include "dialogs/ui/form2.h"
#include "dialogs/ui/form4.h"
#include "dialogs/ui/form5.h"
#include "dialogs/ui/form6.h"
#include "dialogs/ui/form7.h"
#include "dialogs/ui/help.h"

namespace kv3 {

QAction* NewAction(QObject* parent, const char* name) {
  auto* action = new QAction(parent);
  action->setObjectName(name);
  return action;
}

QMenu* NewMenu(QMenuBar* bar, const char* name) {
  auto* menu = new QMenu(bar);
  menu->setObjectName(name);
  bar->addMenu(menu);
  return menu;
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  BuildFileMenu(bar);
  BuildEditMenu(bar);
  BuildProgrammingMenu(bar);
  BuildSettingsMenu(bar);
  QAction* mnucom = NewAction(this, "mnucom");
  bar->addAction(mnucom);
  connect(mnucom, &QAction::triggered, this, &MainWindow::ShowPortDialog);
  BuildLanguageMenu(bar);
  BuildHelpMenu(bar);
}

void MainWindow::BuildProgrammingMenu(QMenuBar* bar) {
  mnupro_ = NewMenu(bar, "mnupro");
  mnureadFre_ = NewAction(this, "mnureadFre");
  mnureadFre_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  mnuwriteFre_ = NewAction(this, "mnuwriteFre");
  mnuwriteFre_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  mnupro_->addAction(mnureadFre_);
  mnupro_->addAction(mnuwriteFre_);
  AddCompareCommand(mnupro_);
  mnupro_->addSeparator()->setObjectName("mnuline1");
  connect(mnureadFre_, &QAction::triggered, this, &MainWindow::StartRead);
  connect(mnuwriteFre_, &QAction::triggered, this, &MainWindow::StartWrite);
  const std::pair<const char*, std::function<QWidget*()>> windows[] = {
      {"mnudtmf", [this] { return static_cast<QWidget*>(form5_.get()); }},
      {"Key_enactment", [this] { return static_cast<QWidget*>(form6_.get()); }},
      {"mnusetin", [this] { return static_cast<QWidget*>(form7_.get()); }},
      {"mnudebug", [this] { return static_cast<QWidget*>(form2_.get()); }},
      {"mnutestfre", [this] { return static_cast<QWidget*>(form4_.get()); }},
  };
  for (const auto& entry : windows) {
    QAction* action = NewAction(this, entry.first);
    mnupro_->addAction(action);
    // (A structured binding cannot be captured by clang 14.)
    connect(action, &QAction::triggered, this, [this, window = entry.second] {
      FinishStartup();
      ShowWindow(window());
    });
  }
}

void MainWindow::BuildSettingsMenu(QMenuBar* bar) {
  QMenu* mnuset = NewMenu(bar, "mnuset");
  mnulock_ = NewAction(this, "mnulock");
  mnulock_->setCheckable(true);
  mnulock_->setChecked(true);  // as designed; the parameter file decides at start-up
  mnuset->addAction(mnulock_);
  connect(mnulock_, &QAction::triggered, this,
          [this](bool checked) { SetEditingEnabled(!checked, !checked, !checked); });
}

void MainWindow::BuildLanguageMenu(QMenuBar* bar) {
  QMenu* mnuLanguage = NewMenu(bar, "mnuLanguage");
  QAction* mnuChineseJ = NewAction(this, "mnuChineseJ");
  QAction* mnuChineseF = NewAction(this, "mnuChineseF");
  QAction* mnuEnglish = NewAction(this, "mnuEnglish");
  mnuLanguage->addAction(mnuChineseJ);
  mnuLanguage->addAction(mnuChineseF);
  mnuLanguage->addAction(mnuEnglish);
  connect(mnuChineseJ, &QAction::triggered, this, &MainWindow::ChooseSimplified);
  connect(mnuChineseF, &QAction::triggered, this, &MainWindow::ChooseTraditional);
  connect(mnuEnglish, &QAction::triggered, this, &MainWindow::ChooseEnglish);
}

void MainWindow::BuildHelpMenu(QMenuBar* bar) {
  QMenu* mnuhelp = NewMenu(bar, "mnuhelp");
  QAction* mnumainhelp = NewAction(this, "mnumainhelp");
  mnumainhelp->setVisible(false);
  QAction* mnuabout = NewAction(this, "mnuabout");
  mnuhelp->addAction(mnumainhelp);
  mnuhelp->addAction(mnuabout);
  connect(mnumainhelp, &QAction::triggered, this,
          [this] { OpenHelp(messages_, language_, HelpTopic::Contents); });
  connect(mnuabout, &QAction::triggered, this, [this] {
    FinishStartup();
    ShowWindow(about_);
  });
  // F1 opens the manual although its menu item is hidden.
  AddHelpKey(this, [this] { OpenHelp(messages_, language_, HelpTopic::Contents); });
}

void MainWindow::BuildToolbar() {
  Toolbar1_ = new QToolBar(this);
  Toolbar1_->setObjectName(kToolbarName);
  Toolbar1_->setMovable(false);
  Toolbar1_->setFloatable(false);
  Toolbar1_->setIconSize(QSize(24, 24));
  Toolbar1_->toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  addToolBar(Qt::TopToolBarArea, Toolbar1_);
  struct Button {
    const char* key;
    const char* icon;
    void (MainWindow::*command)();
  };
  const Button buttons[] = {
      {"new", ":/icons/new.png", &MainWindow::FileNew},
      {"open", ":/icons/open.png", &MainWindow::FileOpen},
      {"save", ":/icons/save.png", &MainWindow::FileSave},
      {nullptr, nullptr, nullptr},
      {"read", ":/icons/read.png", &MainWindow::StartRead},
      {"write", ":/icons/write.png", &MainWindow::StartWrite},
      {"TAnMa", ":/icons/relock.png", &MainWindow::RelockClicked},
  };
  for (size_t i = 0; i < std::size(buttons); ++i) {
    if (!buttons[i].key) {
      toolbarButtons_[i] = Toolbar1_->addSeparator();
      continue;
    }
    QAction* action = NewAction(Toolbar1_, buttons[i].key);
    action->setIcon(QIcon(buttons[i].icon));
    Toolbar1_->addAction(action);
    // A click is routed by the button's key.
    connect(action, &QAction::triggered, this, buttons[i].command);
    toolbarButtons_[i] = action;
  }
  toolbarButtons_[6]->setVisible(false);
}

}  // namespace kv3
