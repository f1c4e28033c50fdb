#include "dialogs/ui/form6.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "dialogs/key_functions.h"
#include "dialogs/ui/dialog_support.h"
#include "i18n/texts.h"
#include "i18n/ui/window_captions.h"

namespace kv3 {

Form6::Form6(EditorState& state, const Language& language, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
  setObjectName("Form6");
  auto* grid = new QGridLayout;
  int row = 0;
  for (auto [combo, labelName, caption] :
       {std::tuple{&Combo1_, "Label1", "PF1"}, std::tuple{&Combo2_, "Label2", "PF2"}}) {
    *combo = new QComboBox(this);
    (*combo)->setObjectName(row == 0 ? "Combo1" : "Combo2");
    for (const Text2& entry : form6::kKeyFunctions) (*combo)->addItem(Qs(entry.zh));
    (*combo)->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* label = new QLabel(Qs(caption), this);
    label->setObjectName(labelName);
    grid->addWidget(label, row, 0);
    grid->addWidget(*combo, row, 1);
    ++row;
  }
  auto* Command1 = new QPushButton(this);
  Command1->setObjectName("Command1");
  auto* Command2 = new QPushButton(this);
  Command2->setObjectName("Command2");
  connect(Command1, &QPushButton::clicked, this, [this] { Store(); });
  connect(Command2, &QPushButton::clicked, this, &QWidget::hide);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  SetCaptions(language);
  LoadFromState();
}

void Form6::SetCaptions(Language lang) {
  ApplyWindowCaptions(this, Window::Form6, lang);
}

void Form6::LoadFromState() {
  Combo1_->setCurrentIndex(KeyFunctionPosition(state_.shared.Pf1KeyFunction));
  Combo2_->setCurrentIndex(KeyFunctionPosition(state_.shared.Pf2KeyFunction));
}

void Form6::Store() {
  state_.shared.Pf1KeyFunction = Combo1_->currentIndex();
  state_.shared.Pf2KeyFunction = Combo2_->currentIndex();
  hide();
}

}  // namespace kv3
