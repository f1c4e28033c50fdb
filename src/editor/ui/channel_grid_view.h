// The channel grid Grid1 as a table view: a left press or Enter opens the
// in-place editor the grid rules choose (Text1 for frequencies, Combo8 for
// tones, Combo5_5..Combo5_8 for the per-channel choices), laid over the
// cell; leaving the editor commits it through the same rules.
//
// It is also a spreadsheet: a click on a channel's number selects its row
// (Shift and Ctrl extend), Shift or Ctrl on a cell extends the selection of
// cells, the current cell shows; a character typed on a cell starts its
// editor with that character, Enter and F2 open it, Tab and Shift+Tab commit
// and open the next or previous one, Delete clears the selected cells.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <optional>
#include <vector>

#include "editor/channel_ops.h"
#include "editor/grid_edit.h"
#include "i18n/edit_texts.h"
#include "i18n/message_box.h"

namespace kv3 {

class ChannelGridModel;
class ChannelGridView;

class ChannelGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit ChannelGridDelegate(ChannelGridView& view);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  void Picked(QWidget* editor, int position) const;
  bool FilterInput(QWidget* editor, QObject* object, QEvent* event);

  ChannelGridView& view_;
};

class ChannelGridView : public QTableView {
  Q_OBJECT

 public:
  ChannelGridView(ChannelGridModel& model, QWidget* parent = nullptr);
  ~ChannelGridView() override;

  ChannelGridModel& gridModel() { return model_; }
  // Messages the rules ask for while editing (a frequency outside the band);
  // shown after the editor has closed.
  void SetMessageHandler(std::function<void(const MessageSpec&)> handler) {
    messageHandler_ = std::move(handler);
  }
  // Column widths and row heights in twips at the screen's logical DPI; a
  // column is widened to its header text when that would not fit.
  void ApplyLayout();
  // The open in-place editor, if any.
  QWidget* OpenEditorWidget() const;
  // Stores and closes the open editor, if any (before a command reads the
  // editor's state).
  void CommitOpenEditor();
  // Closes the open editor, if any, without storing it.
  void DiscardOpenEditor();
  // Opens the editor of a cell as a left press would (row 1..16, col 0..8).
  void PressCell(int row, int col);
  // The editor the last click asked for (read by the delegate).
  const std::optional<OpenEditor>& pendingEditor() const { return pending_; }
  void ReportMessage(const MessageSpec& spec);

  // The selected cells, row by row; the rows they are in (1..16, rising),
  // or the current cell's row when nothing is selected.
  std::vector<GridCell> SelectedCells() const;
  std::vector<int> SelectedRows() const;
  // Selects whole rows (1..16) and makes the first one's number current.
  void SelectRows(int first, int last);
  // The commands of the grid that change several cells at once (Delete,
  // typing into a closed cell, the context menu) stop while this is false
  // (a session with the radio runs); the lock disables the whole grid.
  void SetCommandsEnabled(bool enabled) { commandsEnabled_ = enabled; }
  bool commandsEnabled() const { return commandsEnabled_ && isEnabled(); }

  static constexpr int kColumnTwips[9] = {500, 1330, 1000, 1330, 1000, 800, 850, 1000, 900};
  static constexpr int kRowTwips = 300;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 signals:
  // A change the user made to the codeplug in the grid: a cell's editor
  // closed (its column's step) or Delete cleared cells. Sent after every
  // commit; the receiver compares states.
  void edited(EditStep step);
  // A right click on the grid, at a global position; the selection holds
  // the clicked cell.
  void contextMenuWanted(const QPoint& global);

 private:
  void OpenEditorAt(int row, int col, bool dropDown);
  void SelectOnPress(const QModelIndex& index, Qt::KeyboardModifiers modifiers);
  void StartTyping(QKeyEvent* event);
  void ClearSelectedCells();

  ChannelGridModel& model_;
  ChannelGridDelegate* delegate_;  // a child: it outlives the view's own teardown
  std::optional<OpenEditor> pending_;
  QModelIndex openIndex_;
  bool dropDownOnRelease_ = false;
  bool commandsEnabled_ = true;
  QModelIndex anchor_;  // where a Shift click extends from
  std::function<void(const MessageSpec&)> messageHandler_;
};

}  // namespace kv3
