#include "editor/ui/channel_grid_model.h"

#include <QApplication>
#include <QPalette>

#include "editor/grid_text.h"
#include "i18n/texts.h"

namespace kv3 {

ChannelGridModel::ChannelGridModel(EditorState& state, Language language, QObject* parent)
    : QAbstractTableModel(parent), state_(state), language_(language) {
  for (int col = 0; col < kColumns; ++col) {
    headers_[col] = QString::fromStdString(Localize(kGridHeaders[col], language));
  }
}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kChannelCount;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = GridRow(index);
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return QString::fromStdString(CellText(state_.grid, row, col, language_));
    case Qt::TextAlignmentRole:
      return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
      if (col == 0) return QApplication::palette().button();
      if (row % 2 == 0) return kEvenRowColour;
      return {};
    case Qt::ForegroundRole:
      if (row % 2 == 0 && col > 0) return QColor(Qt::black);
      return {};
    default:
      return {};
  }
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
  if (role == Qt::DisplayRole) return headers_[section];
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
  return {};
}

bool ChannelGridModel::setHeaderData(int section, Qt::Orientation orientation,
                                     const QVariant& value, int role) {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return false;
  if (role != Qt::EditRole && role != Qt::DisplayRole) return false;
  SetHeaderText(section, value.toString());
  return true;
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (index.column() == 0) return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void ChannelGridModel::SetLanguage(Language language) {
  language_ = language;
  emit dataChanged(index(0, 0), index(kChannelCount - 1, kColumns - 1), {Qt::DisplayRole});
}

void ChannelGridModel::SetHeaderText(int column, const QString& text) {
  if (column < 0 || column >= kColumns || headers_[column] == text) return;
  headers_[column] = text;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

void ChannelGridModel::Reload() {
  emit dataChanged(index(0, 0), index(kChannelCount - 1, kColumns - 1));
}

void ChannelGridModel::ReloadRow(int row) {
  if (row < 1 || row > kChannelCount) return;
  emit dataChanged(index(row - 1, 0), index(row - 1, kColumns - 1));
}

}  // namespace kv3
