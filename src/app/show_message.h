// The one message box of the program: a standard box whose buttons carry
// the labels of the current language.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "i18n/language.h"
#include "i18n/message_box.h"

class QWidget;

namespace kv3 {

// Style values (button set + icon + default button + modality): kv3::mb in
// i18n/message_box.h.

// Result codes: the pressed button.
namespace mr {
inline constexpr int kOk = static_cast<int>(MessageButton::Ok);
inline constexpr int kCancel = static_cast<int>(MessageButton::Cancel);
inline constexpr int kAbort = static_cast<int>(MessageButton::Abort);
inline constexpr int kRetry = static_cast<int>(MessageButton::Retry);
inline constexpr int kIgnore = static_cast<int>(MessageButton::Ignore);
inline constexpr int kYes = static_cast<int>(MessageButton::Yes);
inline constexpr int kNo = static_cast<int>(MessageButton::No);
}  // namespace mr

// What a message box would have shown.
struct MessageRecord {
  QString prompt;
  QString title;
  int buttons = 0;
  QStringList buttonLabels;  // in the order the box shows them
  QList<int> buttonCodes;    // the result code of each label
  int defaultCode = 0;       // the code of the default button
};

// Shows Prompt in a message box owned by Owner and returns the code of the
// pressed button. An empty Title becomes "KV-3(T2)". Closing the box with
// Escape or its close box counts as Cancel where the box has one, else as
// the only button (OK) or the last one.
int ShowMessage(QWidget* owner, Language lang, const QString& prompt, int buttons,
                QString title = {});

// A message the rules describe (text and title picked by the language).
int ShowMessage(QWidget* owner, Language lang, const MessageSpec& spec);

// The core's message presenter over ShowMessage.
class QtMessagePresenter : public MessagePresenter {
 public:
  explicit QtMessagePresenter(QWidget* owner) : owner_(owner) {}
  MessageButton Present(const MessageRequest& request) override;

 private:
  QWidget* owner_;
};

// The box that ShowMessage would show, without showing it (for tests and
// for the responder).
MessageRecord DescribeMessage(Language lang, const QString& prompt, int buttons,
                              QString title = {});

// Answers every message instead of a box while set (tests); an empty
// function restores the real box. Returns the previous responder.
using MessageResponder = std::function<int(const MessageRecord&)>;
MessageResponder SetMessageResponder(MessageResponder responder);

}  // namespace kv3
