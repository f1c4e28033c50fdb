#include "app/backups_window.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

#include "i18n/message_box.h"
#include "i18n/messages.h"
#include "i18n/texts.h"
#include "i18n/ui/window_captions.h"
#include "interchange/backup_views.h"

namespace kv3 {

namespace {
constexpr int kPathRole = Qt::UserRole + 1;

QPushButton* NewButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}
}  // namespace

BackupsWindow::BackupsWindow(std::string folder, Language language, MessagePresenter& messages,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(std::move(folder)),
      language_(language),
      messages_(messages),
      model_(new QStandardItemModel(0, 5, this)) {
  setObjectName("frmBackups");
  grdBackups_ = new QTableView(this);
  grdBackups_->setObjectName("grdBackups");
  grdBackups_->setModel(model_);
  grdBackups_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdBackups_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdBackups_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdBackups_->verticalHeader()->hide();
  grdBackups_->horizontalHeader()->setStretchLastSection(true);
  grdBackups_->setWordWrap(false);
  lblEmpty_ = new QLabel(this);
  lblEmpty_->setObjectName("lblEmpty");

  cmdOpen_ = NewButton(this, "cmdOpen");
  cmdCompare_ = NewButton(this, "cmdCompare");
  cmdDelete_ = NewButton(this, "cmdDelete");
  QPushButton* cmdFolder = NewButton(this, "cmdFolder");
  QPushButton* cmdClose = NewButton(this, "cmdClose");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdOpen_);
  buttons->addWidget(cmdCompare_);
  buttons->addWidget(cmdDelete_);
  buttons->addWidget(cmdFolder);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grdBackups_, 1);
  layout->addWidget(lblEmpty_);
  layout->addLayout(buttons);

  connect(cmdOpen_, &QPushButton::clicked, this, [this] {
    if (const QString path = SelectedPath(); !path.isEmpty()) emit openRequested(path);
  });
  connect(grdBackups_, &QTableView::doubleClicked, this, [this] {
    if (const QString path = SelectedPath(); !path.isEmpty()) emit openRequested(path);
  });
  connect(cmdCompare_, &QPushButton::clicked, this, [this] {
    if (const QString path = SelectedPath(); !path.isEmpty()) emit compareRequested(path);
  });
  connect(cmdDelete_, &QPushButton::clicked, this, &BackupsWindow::DeleteSelected);
  connect(cmdFolder, &QPushButton::clicked, this, &BackupsWindow::ShowFolder);
  connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
  connect(grdBackups_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &BackupsWindow::UpdateButtons);

  SetLanguage(language_);
  resize(760, 420);
}

void BackupsWindow::SetLanguage(Language language) {
  language_ = language;
  ApplyWindowCaptions(this, Window::frmBackups, language_, false);
  Refresh();
}

void BackupsWindow::Refresh() {
  const QString selected = SelectedPath();
  model_->removeRows(0, model_->rowCount());
  for (const BackupRow& row : BackupRows(ListBackups(folder_), language_)) {
    QList<QStandardItem*> items;
    for (const std::string& cell : row.cells) {
      auto* item = new QStandardItem(QString::fromStdString(cell));
      item->setData(QString::fromStdString(row.path), kPathRole);
      item->setToolTip(QString::fromStdString(row.path));
      items.push_back(item);
    }
    model_->appendRow(items);
  }
  grdBackups_->resizeColumnsToContents();
  lblEmpty_->setText(QString::fromStdString(Localize(backups::kNone, language_)));
  lblEmpty_->setVisible(model_->rowCount() == 0);
  if (!selected.isEmpty() && Select(selected)) return;
  if (model_->rowCount() > 0) grdBackups_->selectRow(0);
  UpdateButtons();
}

QString BackupsWindow::SelectedPath() const {
  const QModelIndexList rows = grdBackups_->selectionModel()->selectedRows();
  return rows.isEmpty() ? QString() : rows.first().data(kPathRole).toString();
}

bool BackupsWindow::Select(const QString& path) {
  for (int r = 0; r < model_->rowCount(); ++r)
    if (model_->item(r, 0)->data(kPathRole).toString() == path) {
      grdBackups_->selectRow(r);
      UpdateButtons();
      return true;
    }
  return false;
}

void BackupsWindow::showEvent(QShowEvent* event) {
  Refresh();
  QWidget::showEvent(event);
}

void BackupsWindow::UpdateButtons() {
  const bool chosen = !SelectedPath().isEmpty();
  cmdOpen_->setEnabled(chosen);
  cmdCompare_->setEnabled(chosen);
  cmdDelete_->setEnabled(chosen);
}

int BackupsWindow::Message(const std::string& prompt, int buttons) {
  std::string text = prompt, title;
  return static_cast<int>(ShowMessage(messages_, language_, text, buttons, title));
}

void BackupsWindow::DeleteSelected() {
  const QString path = SelectedPath();
  if (path.isEmpty()) return;
  const MessageSpec question{&msg::kDeleteBackup,
                             mb::kYesNo + mb::kIconQuestion + mb::kDefaultButton2, nullptr};
  if (ShowMessage(messages_, language_, question) != MessageButton::Yes) return;
  const BackupResult deleted = DeleteBackup(QFile::encodeName(path).toStdString());
  if (!deleted.ok)
    Message(Localize(msg::kDeleteBackupFailed, language_) + deleted.error, mb::kIconStop);
  Refresh();
}

void BackupsWindow::ShowFolder() {
  const QString folder = QString::fromStdString(folder_);
  // The folder is made first, so that a system without backups yet shows
  // where they will go.
  if (folder.isEmpty() || !QDir().mkpath(folder) ||
      !QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
    Message(Localize(msg::kFolderNotOpened, language_) + folder_, mb::kIconExclamation);
}

}  // namespace kv3
