#include "i18n/ui/qt_message_box.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "i18n/messages.h"

namespace kv3 {
namespace {

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

}  // namespace

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

int ShowMessageBox(QWidget* owner, const MessageRequest& request) {
  const MessageRecord record = RecordOf(request);

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

MessageRecord DescribeMessage(Language lang, const QString& prompt, int buttons, QString title) {
  return RecordOf(MakeMessageRequest(prompt.toStdString(), buttons, title.toStdString(), lang));
}

int ShowMessage(QWidget* owner, Language lang, const QString& prompt, int buttons, QString title) {
  return ShowMessageBox(
      owner, MakeMessageRequest(prompt.toStdString(), buttons, title.toStdString(), lang));
}

class MessageBoxes::Window final : public MessagePresenter {
 public:
  Window(MessagePresenter* const& standIn, std::function<QWidget*()> owner)
      : standIn_(standIn), owner_(std::move(owner)) {}
  MessageButton Present(const MessageRequest& request) override {
    if (standIn_) return standIn_->Present(request);
    return static_cast<MessageButton>(ShowMessageBox(owner_(), request));
  }

 private:
  MessagePresenter* const& standIn_;
  std::function<QWidget*()> owner_;
};

MessageBoxes::MessageBoxes() = default;
MessageBoxes::~MessageBoxes() = default;

MessagePresenter& MessageBoxes::For(std::function<QWidget*()> owner) {
  windows_.push_back(std::make_unique<Window>(standIn_, std::move(owner)));
  return *windows_.back();
}

MessagePresenter* MessageBoxes::StandIn(MessagePresenter* presenter) {
  return std::exchange(standIn_, presenter);
}

}  // namespace kv3
