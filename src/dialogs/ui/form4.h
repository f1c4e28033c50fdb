// The test frequencies dialog: sixteen test channels in the grid mfgrid1,
// row 0 the header, column 0 the number, columns 1 and 2 receive and transmit.
#pragma once

#include <QWidget>

#include "dialogs/test_frequencies.h"
#include "editor/editor_state.h"
#include "i18n/language.h"
#include "i18n/message_box.h"

class QPushButton;
class QTableWidget;

namespace kv3 {

class Form4 : public QWidget {
  Q_OBJECT

 public:
  // Its messages (a refused frequency) go to messages.
  Form4(EditorState& state, const Language& language, MessagePresenter& messages,
        QWidget* parent = nullptr);

  void SetCaptions(Language lang);
  // The grid shows the shared table again.
  void LoadFromState();

  // The edit of a cell (row 1..16, column 1 or 2) with a typed text, as the
  // grid's editor commits it. A refused text leaves the row as it was and
  // tells the user; returns whether the text was taken.
  bool EditCell(int row, int column, const QString& text);
  // Whether a cell may be edited now.
  bool CanEditCell(int row, int column) const;

  const TestFrequencyRows& Rows() const { return rows_; }

 private:
  void ShowRow(int row);
  void FitGrid();
  void Store();

  EditorState& state_;
  const Language& language_;
  MessagePresenter& messages_;
  TestFrequencyRows rows_{};  // what the grid shows, stored only on "确定"
  QTableWidget* mfgrid1_;
  QPushButton* Command1_;
  QPushButton* Command2_;
};

}  // namespace kv3
