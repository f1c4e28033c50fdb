// The channel grid Grid1 as a table view: a left press or Enter opens the
// in-place editor the grid rules choose (Text1 for frequencies, Combo8 for
// tones, Combo5_5..Combo5_8 for the per-channel choices), laid over the
// cell; leaving the editor commits it through the same rules.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <optional>

#include "editor/grid_edit.h"
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

  static constexpr int kColumnTwips[9] = {500, 1330, 1000, 1330, 1000, 800, 850, 1000, 900};
  static constexpr int kRowTwips = 300;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OpenEditorAt(int row, int col, bool dropDown);

  ChannelGridModel& model_;
  ChannelGridDelegate* delegate_;  // a child: it outlives the view's own teardown
  std::optional<OpenEditor> pending_;
  QModelIndex openIndex_;
  bool dropDownOnRelease_ = false;
  std::function<void(const MessageSpec&)> messageHandler_;
};

}  // namespace kv3
