// The backups window frmBackups (File ▸ Backups…): every backup of a read or
// a write, newest first, with Open, Compare with the editor, Delete and Show
// folder. Open and Compare are the main window's (they touch the editor); the
// window asks before it deletes and lists the folder again.
#pragma once

#include <QWidget>
#include <string>

#include "i18n/language.h"

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace kv3 {

class MessagePresenter;

class BackupsWindow : public QWidget {
  Q_OBJECT

 public:
  BackupsWindow(std::string folder, Language language, MessagePresenter& messages,
                QWidget* parent = nullptr);

  // The captions and the rows in a language.
  void SetLanguage(Language language);
  // Lists the folder again (the selection stays on the same file).
  void Refresh();
  // The file of the selected row; "" when none is selected.
  QString SelectedPath() const;
  // Selects the row of a file; false when it is not listed.
  bool Select(const QString& path);
  const std::string& folder() const { return folder_; }

 signals:
  void openRequested(const QString& path);
  void compareRequested(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void DeleteSelected();
  void ShowFolder();
  void UpdateButtons();
  int Message(const std::string& prompt, int buttons);

  std::string folder_;
  Language language_;
  MessagePresenter& messages_;
  QStandardItemModel* model_;
  QTableView* grdBackups_;
  QLabel* lblEmpty_;
  QPushButton* cmdOpen_;
  QPushButton* cmdCompare_;
  QPushButton* cmdDelete_;
};

}  // namespace kv3
