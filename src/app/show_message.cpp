#include "app/show_message.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "i18n/messages.h"

namespace kv3 {
namespace {

MessageResponder& Responder() {
  static MessageResponder responder;
  return responder;
}

// The buttons of a style value's set, in display order.
QList<int> ButtonSet(int buttons) {
  switch (buttons & 0xF) {
    case mb::kOkCancel:
      return {mr::kOk, mr::kCancel};
    case mb::kAbortRetryIgnore:
      return {mr::kAbort, mr::kRetry, mr::kIgnore};
    case mb::kYesNoCancel:
      return {mr::kYes, mr::kNo, mr::kCancel};
    case mb::kYesNo:
      return {mr::kYes, mr::kNo};
    case mb::kRetryCancel:
      return {mr::kRetry, mr::kCancel};
    default:
      return {mr::kOk};
  }
}

QMessageBox::ButtonRole RoleOf(int code) {
  switch (code) {
    case mr::kOk:
      return QMessageBox::AcceptRole;
    case mr::kCancel:
      return QMessageBox::RejectRole;
    case mr::kYes:
      return QMessageBox::YesRole;
    case mr::kNo:
      return QMessageBox::NoRole;
    default:
      return QMessageBox::ActionRole;
  }
}

QMessageBox::Icon IconOf(int buttons) {
  switch (buttons & 0x70) {
    case mb::kIconStop:
      return QMessageBox::Critical;
    case mb::kIconQuestion:
      return QMessageBox::Question;
    case mb::kIconExclamation:
      return QMessageBox::Warning;
    case mb::kIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

MessageRecord DescribeMessage(Language lang, const QString& prompt, int buttons, QString title) {
  MessageRecord record;
  record.prompt = prompt;
  record.title = title.isEmpty() ? QString::fromUtf8(kAppTitle) : std::move(title);
  record.buttons = buttons;
  record.buttonCodes = ButtonSet(buttons);
  for (int code : record.buttonCodes) {
    record.buttonLabels << QString::fromUtf8(ButtonLabel(static_cast<MessageButton>(code), lang));
  }
  int defaultIndex = (buttons & 0xF00) / 256;
  if (defaultIndex >= record.buttonCodes.size()) defaultIndex = 0;
  record.defaultCode = record.buttonCodes[defaultIndex];
  return record;
}

MessageResponder SetMessageResponder(MessageResponder responder) {
  return std::exchange(Responder(), std::move(responder));
}

int ShowMessage(QWidget* owner, Language lang, const QString& prompt, int buttons, QString title) {
  const MessageRecord record = DescribeMessage(lang, prompt, buttons, std::move(title));
  if (Responder()) return Responder()(record);

  QMessageBox box(IconOf(buttons), record.title, record.prompt, QMessageBox::NoButton, owner);
  box.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
  if (buttons & mb::kSystemModal) box.setWindowModality(Qt::ApplicationModal);
  QList<QPushButton*> pushButtons;
  for (qsizetype i = 0; i < record.buttonCodes.size(); ++i) {
    pushButtons << box.addButton(record.buttonLabels[i], RoleOf(record.buttonCodes[i]));
  }
  const qsizetype defaultIndex = record.buttonCodes.indexOf(record.defaultCode);
  box.setDefaultButton(pushButtons[defaultIndex]);
  // Escape answers Cancel where there is one; a box with a single button
  // answers that button. Yes/No and Abort/Retry/Ignore cannot be escaped.
  const qsizetype cancelIndex = record.buttonCodes.indexOf(mr::kCancel);
  if (cancelIndex >= 0) {
    box.setEscapeButton(pushButtons[cancelIndex]);
  } else if (pushButtons.size() == 1) {
    box.setEscapeButton(pushButtons[0]);
  }
  box.exec();
  const qsizetype pressed = pushButtons.indexOf(static_cast<QPushButton*>(box.clickedButton()));
  if (pressed < 0) {
    return cancelIndex >= 0 ? mr::kCancel : record.buttonCodes.back();
  }
  return record.buttonCodes[pressed];
}

}  // namespace kv3
