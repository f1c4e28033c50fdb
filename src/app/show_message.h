// The one message box of the program: a standard box whose buttons carry
// the labels of the current language.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "i18n/language.h"

class QWidget;

namespace kv3 {

// Style values: the button set in the low nibble (0 OK, 1 OK/Cancel,
// 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel), plus an
// icon (16 stop, 32 question, 48 exclamation, 64 information), plus the
// default button (256 second, 512 third), plus 4096 for system modal.
namespace mb {
inline constexpr int kOk = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kDefaultButton3 = 512;
inline constexpr int kSystemModal = 4096;
}  // namespace mb

// Result codes: the pressed button.
namespace mr {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kAbort = 3;
inline constexpr int kRetry = 4;
inline constexpr int kIgnore = 5;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
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

// The box that ShowMessage would show, without showing it (for tests and
// for the responder).
MessageRecord DescribeMessage(Language lang, const QString& prompt, int buttons,
                              QString title = {});

// Answers every message instead of a box while set (tests); an empty
// function restores the real box. Returns the previous responder.
using MessageResponder = std::function<int(const MessageRecord&)>;
MessageResponder SetMessageResponder(MessageResponder responder);

}  // namespace kv3
