#include "i18n/message_box.h"

namespace kv3 {

MessageSpec BandChangeQuestion() {
  return {&msg::kBandChange,
          mb::kOkCancel | mb::kIconQuestion | mb::kDefaultButton2 | mb::kSystemModal,
          &msg::kAttentionTitle};
}

MessageSpec OutOfBandMessage() {
  return {&msg::kOutOfBand, mb::kOkOnly, nullptr};
}

std::vector<MessageButton> ButtonsOfStyle(int buttons) {
  using B = MessageButton;
  switch (buttons & 0xF) {
    case mb::kOkCancel:
      return {B::Ok, B::Cancel};
    case mb::kAbortRetryIgnore:
      return {B::Abort, B::Retry, B::Ignore};
    case mb::kYesNoCancel:
      return {B::Yes, B::No, B::Cancel};
    case mb::kYesNo:
      return {B::Yes, B::No};
    case mb::kRetryCancel:
      return {B::Retry, B::Cancel};
    default:
      return {B::Ok};
  }
}

MessageRequest MakeMessageRequest(std::string prompt, int buttons, std::string title,
                                  Language lang) {
  MessageRequest r;
  r.prompt = std::move(prompt);
  r.title = title.empty() ? std::string(kAppTitle) : std::move(title);
  r.buttons = buttons;
  bool known =
      lang == Language::Simplified || lang == Language::English || lang == Language::Traditional;
  for (MessageButton b : ButtonsOfStyle(buttons))
    r.buttonLabels.emplace_back(b, known ? ButtonLabel(b, lang) : "");
  switch (buttons & 0xF0) {
    case mb::kIconStop:
      r.icon = MessageIcon::Stop;
      break;
    case mb::kIconQuestion:
      r.icon = MessageIcon::Question;
      break;
    case mb::kIconExclamation:
      r.icon = MessageIcon::Exclamation;
      break;
    case mb::kIconInformation:
      r.icon = MessageIcon::Information;
      break;
    default:
      break;
  }
  int def = (buttons & 0xF00) >> 8;
  r.defaultButton = def < static_cast<int>(r.buttonLabels.size()) ? def : 0;
  r.systemModal = (buttons & mb::kSystemModal) != 0;
  return r;
}

MessageRequest MakeMessageRequest(const MessageSpec& spec, Language lang) {
  return MakeMessageRequest(spec.prompt ? Localize(*spec.prompt, lang) : std::string(),
                            spec.buttons, spec.title ? Localize(*spec.title, lang) : std::string(),
                            lang);
}

MessageButton ShowMessage(MessagePresenter& presenter, Language lang, std::string& prompt,
                          int& buttons, std::string& title) {
  if (title.empty()) title = kAppTitle;
  return presenter.Present(MakeMessageRequest(prompt, buttons, title, lang));
}

MessageButton ShowMessage(MessagePresenter& presenter, Language lang, const MessageSpec& spec) {
  return presenter.Present(MakeMessageRequest(spec, lang));
}

}  // namespace kv3
