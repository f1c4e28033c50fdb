#include "dialogs/ui/form2.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "dialogs/ui/dialog_support.h"
#include "i18n/texts.h"
#include "i18n/ui/window_captions.h"

namespace kv3 {

namespace {

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  return label;
}

// One level: the value above the slider's middle, the slider, the ends below.
QGroupBox* LevelFrame(const char* frameName, const char* sliderName, const char* valueName,
                      const char* minName, const char* maxName, QWidget* parent, QSlider*& slider,
                      QLabel*& value) {
  auto* frame = new QGroupBox(parent);
  frame->setObjectName(frameName);
  value = NamedLabel(valueName, frame);
  value->setAlignment(Qt::AlignCenter);
  slider = new QSlider(Qt::Horizontal, frame);
  slider->setObjectName(sliderName);
  slider->setRange(0, 255);
  slider->setSingleStep(1);
  slider->setPageStep(5);
  slider->setTickPosition(QSlider::NoTicks);
  slider->setMinimumWidth(300);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(value, 0, 0, 1, 3);
  grid->addWidget(slider, 1, 0, 1, 3);
  grid->addWidget(NamedLabel(minName, frame), 2, 0, Qt::AlignLeft);
  grid->addWidget(NamedLabel(maxName, frame), 2, 2, Qt::AlignRight);
  QObject::connect(slider, &QSlider::valueChanged, value,
                   [value](int v) { value->setText(QString::number(v)); });
  return frame;
}

}  // namespace

Form2::Form2(EditorState& state, const Language& language, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
  setObjectName("Form2");
  setWindowTitle(Qs(form2::kTitle));
  Frame1_ =
      LevelFrame("Frame1", "Slider1", "Lblpower1", "Label3", "Label7", this, Slider1_, Lblpower1_);
  Frame2_ =
      LevelFrame("Frame2", "Slider3", "Lblpower3", "Label6", "Label8", this, Slider3_, Lblpower3_);
  Command1_ = new QPushButton(this);
  Command1_->setObjectName("Command1");
  Command1_->setDefault(true);
  connect(Command1_, &QPushButton::clicked, this, [this] { Store(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Frame1_);
  layout->addWidget(Frame2_);
  layout->addLayout(buttons);

  SetCaptions(language);
  SetSlidersEnabled(state_.shared.TuningUnlocked == 1);
  LoadFromState();
}

void Form2::SetCaptions(Language lang) {
  ApplyWindowCaptions(this, Window::Form2, lang);
}

void Form2::LoadFromState() {
  // The labels follow even when a level is outside the slider's range.
  Slider1_->setValue(state_.shared.TxPowerHighLevel);
  Lblpower1_->setText(QString::number(state_.shared.TxPowerHighLevel));
  Slider3_->setValue(state_.shared.TxPowerLowLevel);
  Lblpower3_->setText(QString::number(state_.shared.TxPowerLowLevel));
}

void Form2::SetSlidersEnabled(bool enabled) {
  Slider1_->setEnabled(enabled);
  Slider3_->setEnabled(enabled);
}

void Form2::Store() {
  state_.shared.TxPowerHighLevel = Slider1_->value();
  state_.shared.TxPowerLowLevel = Slider3_->value();
  hide();
}

}  // namespace kv3
