// The problems list: a panel under the grid (hidden until the Edit menu
// opens it; whether it is open is remembered per user) that lists, after
// every change, what the editor would refuse or a user should look at before
// a write. A double click on a line selects its cell or opens its dialog.
#include <QAction>
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QSettings>

#include "app/main_window.h"
#include "app/main_window_edit.h"
#include "dialogs/problems.h"
#include "dialogs/ui/form4.h"
#include "dialogs/ui/form5.h"
#include "editor/ui/channel_grid_model.h"
#include "editor/ui/channel_grid_view.h"
#include "platform/user_dirs.h"

namespace kv3 {

namespace {

constexpr int kProblemRole = Qt::UserRole;
constexpr const char* kVisibleKey = "ProblemsList/Visible";

// The per-user file of the window's own settings.
QString WindowSettingsPath() {
  const std::string dir = ProgramConfigDir();
  return dir.empty() ? QString() : QString::fromStdString(dir + "/window.ini");
}

}  // namespace

void EditActions::BuildProblemsDock() {
  problemsDock_ = new QDockWidget(&w_);
  problemsDock_->setObjectName("ProblemsDock");
  problemsDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  problemsList_ = new QListWidget(problemsDock_);
  problemsList_->setObjectName("ProblemsList");
  problemsDock_->setWidget(problemsList_);
  w_.addDockWidget(Qt::BottomDockWidgetArea, problemsDock_);
  problemsDock_->setWindowTitle(QString::fromStdString(Localize(kProblemsListTitle, w_.language_)));

  const QString path = WindowSettingsPath();
  const bool visible =
      !path.isEmpty() && QSettings(path, QSettings::IniFormat).value(kVisibleKey, false).toBool();
  problemsDock_->setVisible(visible);
  problemsAction_->setChecked(visible);
  connect(problemsAction_, &QAction::triggered, this, [this](bool checked) {
    problemsDock_->setVisible(checked);
    RememberProblemsVisible(checked);
  });
  // The panel's own close button.
  connect(problemsDock_, &QDockWidget::visibilityChanged, this, [this](bool) {
    if (!w_.isVisible()) return;  // the window closes or hides: not the user's choice
    const bool open = !problemsDock_->isHidden();
    if (open == problemsAction_->isChecked()) return;
    problemsAction_->setChecked(open);
    RememberProblemsVisible(open);
  });
  connect(problemsList_, &QListWidget::itemActivated, this, &EditActions::ProblemActivated);
}

void EditActions::RememberProblemsVisible(bool visible) {
  const QString path = WindowSettingsPath();
  if (path.isEmpty()) return;
  QSettings settings(path, QSettings::IniFormat);
  settings.setValue(kVisibleKey, visible);
}

void EditActions::Refresh() {
  if (!problemsList_) return;
  const std::vector<Problem> problems = ListProblems(w_.state_);
  problemsList_->clear();
  for (size_t i = 0; i < problems.size(); ++i) {
    auto* item =
        new QListWidgetItem(QString::fromStdString(ProblemLine(problems[i], w_.language_)));
    item->setData(kProblemRole, QVariant::fromValue(static_cast<int>(i)));
    item->setData(kProblemRole + 1, problems[i].row);
    item->setData(kProblemRole + 2, problems[i].column);
    item->setData(kProblemRole + 3, static_cast<int>(problems[i].place));
    problemsList_->addItem(item);
  }
}

void EditActions::ProblemActivated(QListWidgetItem* item) {
  if (!item) return;
  const int row = item->data(kProblemRole + 1).toInt();
  const int col = item->data(kProblemRole + 2).toInt();
  switch (static_cast<ProblemPlace>(item->data(kProblemRole + 3).toInt())) {
    case ProblemPlace::Grid: {
      ChannelGridView* grid = w_.grid_;
      const QModelIndex index = grid->gridModel().CellIndex(row, col);
      if (!index.isValid()) return;
      grid->CommitOpenEditor();
      grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
      grid->setFocus(Qt::OtherFocusReason);
      break;
    }
    case ProblemPlace::TestFrequencies:
      w_.FinishStartup();
      w_.ShowWindow(w_.form4_.get());
      break;
    case ProblemPlace::OptionalFunctions:
      w_.FinishStartup();
      w_.ShowWindow(w_.form5_.get());
      break;
  }
}

}  // namespace kv3
