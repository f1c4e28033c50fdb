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

QMessageBox::Icon IconOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

MessageRecord RecordOf(const MessageRequest& request) {
  MessageRecord record;
  record.prompt = QString::fromStdString(request.prompt);
  record.title = QString::fromStdString(request.title);
  record.buttons = request.buttons;
  for (const auto& [button, label] : request.buttonLabels) {
    record.buttonCodes << static_cast<int>(button);
    record.buttonLabels << QString::fromStdString(label);
  }
  record.defaultCode = record.buttonCodes.value(request.defaultButton, mr::kOk);
  return record;
}

int Show(QWidget* owner, const MessageRequest& request) {
  const MessageRecord record = RecordOf(request);
  if (Responder()) return Responder()(record);

  QMessageBox box(IconOf(request.icon), record.title, record.prompt, QMessageBox::NoButton, owner);
  // Application-modal: while a message waits for its answer, no other window
  // of the program (a feature dialog, the port dialog) takes input.
  box.setWindowModality(Qt::ApplicationModal);
  QList<QPushButton*> pushButtons;
  for (qsizetype i = 0; i < record.buttonCodes.size(); ++i) {
    pushButtons << box.addButton(record.buttonLabels[i], RoleOf(record.buttonCodes[i]));
  }
  box.setDefaultButton(pushButtons.value(record.buttonCodes.indexOf(record.defaultCode)));
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
  if (pressed < 0) return cancelIndex >= 0 ? mr::kCancel : record.buttonCodes.back();
  return record.buttonCodes[pressed];
}

}  // namespace

MessageRecord DescribeMessage(Language lang, const QString& prompt, int buttons, QString title) {
  return RecordOf(MakeMessageRequest(prompt.toStdString(), buttons, title.toStdString(), lang));
}

MessageResponder SetMessageResponder(MessageResponder responder) {
  return std::exchange(Responder(), std::move(responder));
}

int ShowMessage(QWidget* owner, Language lang, const QString& prompt, int buttons, QString title) {
  return Show(owner, MakeMessageRequest(prompt.toStdString(), buttons, title.toStdString(), lang));
}

int ShowMessage(QWidget* owner, Language lang, const MessageSpec& spec) {
  return Show(owner, MakeMessageRequest(spec, lang));
}

MessageButton QtMessagePresenter::Present(const MessageRequest& request) {
  return static_cast<MessageButton>(Show(owner_, request));
}

}  // namespace kv3
