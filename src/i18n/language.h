// The three languages of every window and message.
#pragma once

#include <cstdint>
#include <string>

namespace kv3 {

// LanguageIndex: 0 Simplified Chinese, 1 English, 2 Traditional Chinese.
enum class Language : int16_t { Simplified = 0, English = 1, Traditional = 2 };

// A text of the two built-in tables; Traditional is made from the Simplified.
struct Text2 {
  const char* zh;
  const char* en;
};

// The text of a pair in a language: the Simplified literal, the English
// literal, or the Traditional conversion of the Simplified literal.
std::string Localize(const Text2& text, Language lang);

// Parses "en", "zh-Hans", "zh-Hant" (and a few spellings of them).
bool ParseLanguage(const std::string& name, Language& lang);

}  // namespace kv3
