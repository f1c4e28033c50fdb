// The embedded information dialog: two free lines of the radio's memory.
#pragma once

#include <QWidget>

#include "editor/editor_state.h"
#include "i18n/language.h"

class QLineEdit;

namespace kv3 {

class Form7 : public QWidget {
  Q_OBJECT

 public:
  Form7(EditorState& state, const Language& language, QWidget* parent = nullptr);

  void SetCaptions(Language lang);
  // Both boxes show the shared texts.
  void LoadFromState();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Takes an edit of a box, or undoes it when it brought a character that
  // has no byte in the field.
  void CheckEdit(int box);
  void Store();

  EditorState& state_;
  QLineEdit* Text_[2];
  QString accepted_[2];  // each box's last text that fits the field
};

}  // namespace kv3
