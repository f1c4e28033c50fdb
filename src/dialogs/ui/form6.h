// The keys set dialog: the functions of the side keys PF1 and PF2.
#pragma once

#include <QWidget>

#include "editor/editor_state.h"
#include "i18n/language.h"

class QComboBox;

namespace kv3 {

class Form6 : public QWidget {
  Q_OBJECT

 public:
  Form6(EditorState& state, const Language& language, QWidget* parent = nullptr);

  void SetCaptions(Language lang);
  // Both lists show the shared key functions; a value outside the list shows "OFF".
  void LoadFromState();

 private:
  void Store();

  EditorState& state_;
  QComboBox* Combo1_;
  QComboBox* Combo2_;
};

}  // namespace kv3
