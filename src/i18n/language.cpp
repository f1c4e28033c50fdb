#include "i18n/language.h"

#include "i18n/traditional.h"

namespace kv3 {

std::string Localize(const Text2& text, Language lang) {
  switch (lang) {
    case Language::English:
      return text.en;
    case Language::Traditional:
      return ToTraditional(text.zh);
    case Language::Simplified:
      break;
  }
  return text.zh;
}

bool ParseLanguage(const std::string& name, Language& lang) {
  if (name == "en" || name == "english" || name == "en-US" || name == "en_US") {
    lang = Language::English;
  } else if (name == "zh-Hans" || name == "zh_CN" || name == "zh-CN" || name == "zh" ||
             name == "zh-hans") {
    lang = Language::Simplified;
  } else if (name == "zh-Hant" || name == "zh_TW" || name == "zh-TW" || name == "zh-hant") {
    lang = Language::Traditional;
  } else {
    return false;
  }
  return true;
}

}  // namespace kv3
