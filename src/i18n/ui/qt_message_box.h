// The one message box of the program, as Qt shows it: a standard box whose
// buttons carry the labels of the current language. Windows never show it
// themselves: each is handed a MessagePresenter (i18n/message_box.h), which
// the main window makes here, and which a test or a tool may stand in for.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

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

// What a message box shows.
struct MessageRecord {
  QString prompt;
  QString title;
  int buttons = 0;
  QStringList buttonLabels;  // in the order the box shows them
  QList<int> buttonCodes;    // the result code of each label
  int defaultCode = 0;       // the code of the default button
};

// The box of a request, without showing it.
MessageRecord RecordOf(const MessageRequest& request);
MessageRecord DescribeMessage(Language lang, const QString& prompt, int buttons,
                              QString title = {});

// Shows the box of a request, owned by owner, and returns the code of the
// pressed button. Closing the box with Escape or its close box counts as
// Cancel where the box has one, else as the only button (OK) or the last one.
int ShowMessageBox(QWidget* owner, const MessageRequest& request);
// The same for a prompt in the language; an empty title becomes "KV-3(T2)".
int ShowMessage(QWidget* owner, Language lang, const QString& prompt, int buttons,
                QString title = {});

// The message boxes of the program's windows. Each window gets a presenter
// of its own, whose boxes that window owns. While another presenter stands
// in (a test, a tool), every window's messages go to it instead.
class MessageBoxes {
 public:
  MessageBoxes();
  ~MessageBoxes();
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;

  // The presenter of a window; owner names the window when a box opens (a
  // window may be made after its presenter).
  MessagePresenter& For(std::function<QWidget*()> owner);

  // Sets the presenter that answers instead of the boxes; nullptr shows the
  // boxes again. Returns the one it replaces.
  MessagePresenter* StandIn(MessagePresenter* presenter);

 private:
  class Window;
  std::vector<std::unique_ptr<Window>> windows_;
  MessagePresenter* standIn_ = nullptr;
};

}  // namespace kv3
