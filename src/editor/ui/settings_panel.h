// The function settings frame Frame2: six labelled lists whose positions are
// the radio-wide settings of the editor's state. Their texts are written by
// the language switch like every other caption.
#pragma once

#include <QGroupBox>
#include <array>

#include "editor/editor_state.h"
#include "editor/settings_lists.h"

class QComboBox;
class QLabel;

namespace kv3 {

class SettingsPanel : public QGroupBox {
  Q_OBJECT

 public:
  SettingsPanel(FunctionSettings& settings, QWidget* parent = nullptr);

  static constexpr int kCount = static_cast<int>(kSettingsLists.size());
  // In their order from top to bottom: Combo2, Combo3, Combo4, Combo9,
  // Combo6, Combo7, with their labels.
  QComboBox* list(int i) const { return lists_[i]; }
  QLabel* label(int i) const { return labels_[i]; }

  // Shows the positions held by the state (after a decode).
  void LoadFromState();

 private:
  FunctionSettings& settings_;
  std::array<QComboBox*, kCount> lists_{};
  std::array<QLabel*, kCount> labels_{};
  bool loading_ = false;
};

}  // namespace kv3
