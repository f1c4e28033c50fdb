// The transmit power tuning dialog: the two calibration levels of the
// transmitter, editable only while the maintenance features are unlocked.
#pragma once

#include <QWidget>

#include "editor/editor_state.h"
#include "i18n/language.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace kv3 {

class Form2 : public QWidget {
  Q_OBJECT

 public:
  Form2(EditorState& state, const Language& language, QWidget* parent = nullptr);

  void SetCaptions(Language lang);
  // Moves the sliders and rewrites their labels from the shared levels; does
  // not change whether the sliders can be moved.
  void LoadFromState();
  void SetSlidersEnabled(bool enabled);

 private:
  void Store();

  EditorState& state_;
  QGroupBox* Frame1_;
  QGroupBox* Frame2_;
  QSlider* Slider1_;
  QSlider* Slider3_;
  QLabel* Lblpower1_;
  QLabel* Lblpower3_;
  QPushButton* Command1_;
};

}  // namespace kv3
