// Decimal texts as the editors take them: parsed digit by digit, never
// through a binary floating-point number, so that no rounding can move a
// frequency or a tone.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv3 {

// A non-negative decimal number held exactly to nine decimals; `beyond` is
// set when a non-zero digit follows the ninth decimal.
struct Decimal {
  static constexpr int64_t kScale = 1'000'000'000;  // units of 1e-9
  int64_t whole = 0;     // saturates at 10^9 (no value of the editors comes near)
  int64_t fraction = 0;  // 0 .. kScale - 1
  bool beyond = false;

  // Compare with a whole number of `unit`s of 10^-decimals (for example
  // CompareTo(2541, 1) compares with 254.1). Returns <0, 0, >0.
  int CompareTo(int64_t units, int decimals) const;
  // The value rounded half up to `decimals` decimals (0..9), in those units.
  int64_t Rounded(int decimals) const;
};

// The whole text as a number: digits with at most one point and at least
// one digit ("435", "435.", ".5"). Anything else gives nullopt.
std::optional<Decimal> ParseDecimalText(std::string_view text);

// The leading number of a text (digits, at most one point); a text without
// a leading number gives 0 ("88.5N" is 88.5, "1.2.3" is 1.2, "D23" is 0).
Decimal LeadingDecimal(std::string_view text);

}  // namespace kv3
