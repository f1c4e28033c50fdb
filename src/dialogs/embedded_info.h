// The embedded information dialog: two free lines stored in 32-byte fields.
#pragma once

#include <string>
#include <string_view>

namespace kv3 {

inline constexpr int kEmbeddedInfoLength = 32;

// Typing limit: a typed character is refused when nothing is selected and
// the box already holds 32 or more characters. Backspace is always taken.
constexpr bool AcceptTypedKey(int lengthInBox, bool hasSelection, bool isBackspace) {
  return isBackspace || hasSelection || lengthInBox < kEmbeddedInfoLength;
}

// Whether a character (a Unicode code point) can be stored as one byte of
// the field: printable, below U+00FF (0xFF marks an unused byte).
constexpr bool FitsEmbeddedInfoByte(char32_t c) {
  return c >= 0x20 && c < 0xFF && !(c >= 0x7F && c < 0xA0);
}

// The field's bytes for a UTF-8 text; false when a character has no byte.
bool EmbeddedInfoBytes(std::string_view utf8, std::string& bytes);

}  // namespace kv3
