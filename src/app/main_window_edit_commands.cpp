// The Edit menu's commands on whole channels: the clipboard, Delete, Insert,
// Remove, Move, Sort, Select all and the bulk edits, and the grid's
// right-click menu that offers them. Each goes through the rules of the
// editing core and is one undo step.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "app/main_window.h"
#include "app/main_window_edit.h"
#include "editor/channel_ops.h"
#include "editor/grid_text.h"
#include "editor/tones.h"
#include "editor/ui/channel_grid_model.h"
#include "editor/ui/channel_grid_view.h"
#include "i18n/messages.h"
#include "i18n/texts.h"
#include "interchange/channel_clipboard.h"

namespace kv3 {

namespace {

constexpr const char* kCsvMime = "text/csv";

std::string TwoDigits(int n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

}  // namespace

void EditActions::ShowContextMenu(const QPoint& global) {
  if (!Allowed()) return;
  auto* menu = new QMenu(&w_);
  menu->setObjectName("Grid1Menu");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(undo_);
  menu->addAction(redo_);
  menu->addSeparator();
  for (size_t i = 0; i < commands_.size(); ++i) {
    if (i == 4 || i == 9) menu->addSeparator();
    menu->addAction(commands_[i]);
  }
  menu->addSeparator();
  menu->addMenu(mnuBulk_);
  menu->popup(global);
}

void EditActions::Cut() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  Copy();
  const std::vector<int> rows = w_.grid_->SelectedRows();
  Changed(ClearChannels(w_.state_, rows), EditStep::Cut);
}

void EditActions::Copy() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const std::vector<int> rows = w_.grid_->SelectedRows();
  if (rows.empty()) return;
  const ChannelCopy copy = CopyChannels(w_.state_, rows);
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(copy.tsv));
  data->setData(kCsvMime, QByteArray::fromStdString(copy.csv));
  QGuiApplication::clipboard()->setMimeData(data);
  if (!copy.leftOut.empty()) {
    std::string list;
    for (int row : copy.leftOut) list += (list.empty() ? "" : ", ") + TwoDigits(row);
    w_.Message(Localize(msg::kCopyLeftOut, w_.language_) + list, mb::kIconExclamation);
  }
}

void EditActions::Paste() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  std::string text;
  if (data && data->hasText()) {
    text = data->text().toStdString();
  } else if (data && data->hasFormat(kCsvMime)) {
    text = data->data(kCsvMime).toStdString();
  }
  const std::vector<int> rows = w_.grid_->SelectedRows();
  const int first = rows.empty() ? 1 : rows.front();
  const PasteResult result = PasteChannels(text, w_.state_, first);
  if (!result.refusals.empty()) {
    std::string message = Localize(msg::kPasteRefused, w_.language_);
    for (const PasteRefusal& refusal : result.refusals)
      message += "\n" + PasteRefusalLine(refusal, w_.language_);
    w_.Message(message, mb::kIconExclamation);
    return;
  }
  Changed(result.changed, EditStep::Paste);
  if (result.channels > 0)
    w_.grid_->SelectRows(first, std::min(kChannelCount, first + result.channels - 1));
}

void EditActions::DeleteChannels() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  Changed(ClearChannels(w_.state_, w_.grid_->SelectedRows()), EditStep::ClearChannels);
}

void EditActions::InsertChannel() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const std::vector<int> rows = w_.grid_->SelectedRows();
  const int row = rows.empty() ? 1 : rows.front();
  const InsertResult result = ::kv3::InsertChannel(w_.state_, row);
  if (result == InsertResult::LastChannelInUse) {
    w_.Message(MessageSpec{&msg::kInsertRefused, mb::kOkOnly + mb::kIconExclamation, nullptr});
    return;
  }
  Changed(result == InsertResult::Inserted, EditStep::InsertChannel);
  w_.grid_->SelectRows(row, row);
}

void EditActions::RemoveChannel() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const std::vector<int> rows = w_.grid_->SelectedRows();
  if (rows.empty()) return;
  Changed(::kv3::RemoveChannel(w_.state_, rows.front()), EditStep::RemoveChannel);
}

void EditActions::MoveUp() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const std::vector<int> rows = w_.grid_->SelectedRows();
  if (rows.empty() || rows.front() <= 1) return;
  // The selected rows move together, the channel above goes below them.
  bool changed = false;
  for (int row : rows) changed |= MoveChannelUp(w_.state_, row);
  Changed(changed, EditStep::MoveUp);
  if (changed && rows.back() - rows.front() + 1 == static_cast<int>(rows.size()))
    w_.grid_->SelectRows(rows.front() - 1, rows.back() - 1);
}

void EditActions::MoveDown() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const std::vector<int> rows = w_.grid_->SelectedRows();
  if (rows.empty() || rows.back() >= kChannelCount) return;
  bool changed = false;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row)
    changed |= MoveChannelDown(w_.state_, *row);
  Changed(changed, EditStep::MoveDown);
  if (changed && rows.back() - rows.front() + 1 == static_cast<int>(rows.size()))
    w_.grid_->SelectRows(rows.front() + 1, rows.back() + 1);
}

void EditActions::Sort() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  Changed(SortByReceiveFrequency(w_.state_), EditStep::Sort);
}

void EditActions::SelectAll() {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  w_.grid_->SelectRows(1, kChannelCount);
  w_.grid_->setFocus(Qt::OtherFocusReason);
}

void EditActions::SetChoice(int col, int position) {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const BulkResult result = SetChoiceOfRows(w_.state_, w_.grid_->SelectedRows(), col, position);
  Changed(result.changed, static_cast<EditStep>(col - 1));
}

void EditActions::SetTone(int col) {
  if (!Allowed()) return;
  w_.grid_->CommitOpenEditor();
  const std::vector<int> rows = w_.grid_->SelectedRows();
  if (rows.empty()) return;
  const Language lang = w_.language_;
  QStringList tones;
  tones << QString::fromStdString(Localize(kToneOff, lang));
  for (int i = 1; i < kToneListSize; ++i) tones << QString::fromStdString(SetToneText(ToneAt(i)));
  QInputDialog dialog(&w_);
  dialog.setObjectName("BulkToneDialog");
  dialog.setWindowTitle(
      QString::fromStdString(Localize(kGridHeaders[static_cast<size_t>(col)], lang)));
  dialog.setLabelText(QString::fromStdString(Localize(kBulkToneLabel, lang)));
  dialog.setComboBoxItems(tones);
  dialog.setComboBoxEditable(true);
  if (dialog.exec() != QDialog::Accepted) return;
  const QString text = dialog.textValue();
  const int position = static_cast<int>(tones.indexOf(text));
  const BulkResult result = position >= 0
                                ? PickToneOfRows(w_.state_, rows, col, position)
                                : TypeToneOfRows(w_.state_, rows, col, text.toStdString());
  if (!result.changed && result.refusedRows.size() == rows.size()) {
    w_.Message(MessageSpec{&msg::kBulkToneRefused, mb::kOkOnly + mb::kIconExclamation, nullptr});
    return;
  }
  Changed(result.changed, static_cast<EditStep>(col - 1));
}

}  // namespace kv3
