#include "dialogs/ui/form7.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/embedded_info.h"
#include "dialogs/ui/dialog_support.h"
#include "i18n/ui/window_captions.h"
#include "image/image.h"

namespace kv3 {

namespace {

// Characters without a byte in the field; text from the radio may hold some.
int Misfits(const QString& text) {
  int n = 0;
  for (QChar c : text) n += FitsEmbeddedInfoByte(c.unicode()) ? 0 : 1;
  return n;
}

}  // namespace

Form7::Form7(EditorState& state, const Language& language, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state) {
  setObjectName("Form7");
  auto* layout = new QVBoxLayout(this);
  for (int k = 0; k < 2; ++k) {
    Text_[k] = new QLineEdit(this);
    Text_[k]->setObjectName(k == 0 ? "Text1" : "Text2");
    Text_[k]->setMinimumWidth(320);
    Text_[k]->installEventFilter(this);
    connect(Text_[k], &QLineEdit::textEdited, this, [this, k] { CheckEdit(k); });
    layout->addWidget(Text_[k]);
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
  layout->addLayout(buttons);

  SetCaptions(language);
  LoadFromState();
}

void Form7::SetCaptions(Language lang) {
  ApplyWindowCaptions(this, Window::Form7, lang);
}

void Form7::LoadFromState() {
  for (int k = 0; k < 2; ++k) {
    accepted_[k] = Qs(Latin1ToUtf8(state_.shared.EmbeddedInfoText[k]));
    Text_[k]->setText(accepted_[k]);
  }
}

bool Form7::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    for (QLineEdit* box : Text_) {
      if (watched != box) continue;
      auto* key = static_cast<QKeyEvent*>(event);
      QString typed = key->text();
      // Only keys that type a character count; shortcuts and moves pass.
      bool character = !typed.isEmpty() && typed.at(0).isPrint();
      bool backspace = key->key() == Qt::Key_Backspace;
      if (character && !AcceptTypedKey(static_cast<int>(box->text().size()), box->hasSelectedText(),
                                       backspace)) {
        QApplication::beep();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Form7::CheckEdit(int box) {
  QLineEdit* edit = Text_[box];
  if (Misfits(edit->text()) > Misfits(accepted_[box])) {
    int cursor = edit->cursorPosition();
    int grown = static_cast<int>(edit->text().size() - accepted_[box].size());
    edit->setText(accepted_[box]);
    edit->setCursorPosition(std::max(0, cursor - std::max(0, grown)));
    QApplication::beep();
    return;
  }
  accepted_[box] = edit->text();
}

void Form7::Store() {
  for (int k = 0; k < 2; ++k) {
    std::string bytes;
    if (Utf8ToLatin1(Text_[k]->text().toStdString(), bytes))
      state_.shared.EmbeddedInfoText[k] = bytes;
  }
  hide();
}

}  // namespace kv3
