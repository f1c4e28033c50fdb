// The one message box of the program: what to show (text in the current
// language, the style value, the title) and the labels of its buttons. The
// window layer shows the box; the rules live here.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "i18n/language.h"
#include "i18n/messages.h"

namespace kv3 {

// Message box style values: button set + icon + default button + modality.
namespace mb {
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
inline constexpr int kIconStop = 16;
inline constexpr int kIconQuestion = 32;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kDefaultButton3 = 512;
inline constexpr int kSystemModal = 4096;
}  // namespace mb

// A message as the rules ask for it, before its language is chosen.
// A null title means "no title given" (the application title is shown).
struct MessageSpec {
  const Text2* prompt = nullptr;
  int buttons = mb::kOkOnly;
  const Text2* title = nullptr;

  explicit operator bool() const { return prompt != nullptr; }
};

// The question asked before a band change clears the channels.
MessageSpec BandChangeQuestion();
// The refusal of a frequency outside the band.
MessageSpec OutOfBandMessage();

enum class MessageIcon { None, Stop, Question, Exclamation, Information };

// Everything a window layer needs to show one message box.
struct MessageRequest {
  std::string prompt;
  std::string title;  // never empty
  int buttons = mb::kOkOnly;
  // The box's buttons in their order on the box, each with its label in
  // the language. For a language index outside 0..2 the labels are empty:
  // the platform's own labels stay.
  std::vector<std::pair<MessageButton, std::string>> buttonLabels;
  MessageIcon icon = MessageIcon::None;
  int defaultButton = 0;  // index into buttonLabels
  bool systemModal = false;
};

// The buttons of a style value, in their order on the box.
std::vector<MessageButton> ButtonsOfStyle(int buttons);

// A request from texts already in the language: an empty title becomes
// "KV-3(T2)".
MessageRequest MakeMessageRequest(std::string prompt, int buttons, std::string title,
                                  Language lang);
// A request from a spec: texts picked by the language (Traditional made from
// the Simplified text).
MessageRequest MakeMessageRequest(const MessageSpec& spec, Language lang);

// The window layer's message box.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // Shows the box modally and returns the pressed button.
  virtual MessageButton Present(const MessageRequest& request) = 0;
};

// ShowMessage(Prompt, Buttons, Title): an empty Title is replaced in the
// caller's variable by the application title; returns the pressed button.
MessageButton ShowMessage(MessagePresenter& presenter, Language lang, std::string& prompt,
                          int& buttons, std::string& title);
MessageButton ShowMessage(MessagePresenter& presenter, Language lang, const MessageSpec& spec);

}  // namespace kv3
