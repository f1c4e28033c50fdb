// The channel grid Grid1 as a Qt table model over the editor's channels:
// 16 rows (channels 01..16) and 9 columns; the horizontal header is the
// grid's header row. Every text comes from the editor's state in the current
// language, so a language switch is a repaint.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <array>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

class ChannelGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 9;
  // The light blue of columns 1..8 of the even channel rows.
  static inline const QColor kEvenRowColour{0xC0, 0xC0, 0xFF};

  ChannelGridModel(EditorState& state, Language language, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The header row's text of a column (SetHeaderText), as the captions write it.
  bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                     int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  Language language() const { return language_; }
  // Relabels every cell in a language (SetGrid1Text).
  void SetLanguage(Language language);
  // The header row's texts; a language switch writes them. Traditional
  // headers are converted from whatever the header holds.
  QString HeaderText(int column) const { return headers_[column]; }
  void SetHeaderText(int column, const QString& text);

  // The state changed behind the model's back (decode, New, band change).
  void Reload();
  // One channel row (1..16) changed.
  void ReloadRow(int row);

  EditorState& state() { return state_; }
  const EditorState& state() const { return state_; }

  // Grid row (1..16) of a model index and the index of a grid cell.
  static int GridRow(const QModelIndex& index) { return index.row() + 1; }
  QModelIndex CellIndex(int row, int col) const { return index(row - 1, col); }

 private:
  EditorState& state_;
  Language language_;
  std::array<QString, kColumns> headers_;
};

}  // namespace kv3
