#include "editor/decimal_text.h"

namespace kv3 {

namespace {

constexpr int64_t kWholeLimit = 1'000'000'000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int64_t Pow10(int n) {
  int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// Reads digits [.digits] from the front of text; returns the characters used
// and whether at least one digit was seen.
size_t Scan(std::string_view text, Decimal& d, bool& anyDigit) {
  size_t i = 0;
  anyDigit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    anyDigit = true;
    if (d.whole < kWholeLimit) d.whole = d.whole * 10 + (text[i] - '0');
  }
  if (d.whole > kWholeLimit) d.whole = kWholeLimit;
  if (i < text.size() && text[i] == '.') {
    ++i;
    int place = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++place) {
      anyDigit = true;
      int digit = text[i] - '0';
      if (place < 9)
        d.fraction += digit * Pow10(8 - place);
      else if (digit != 0)
        d.beyond = true;
    }
  }
  return i;
}

}  // namespace

int Decimal::CompareTo(int64_t units, int decimals) const {
  // Scale the other number to 1e-9 units; compare whole and fraction.
  int64_t scale = Pow10(9 - decimals);
  int64_t otherWhole = units / Pow10(decimals);
  int64_t otherFraction = (units % Pow10(decimals)) * scale;
  if (whole != otherWhole) return whole < otherWhole ? -1 : 1;
  if (fraction != otherFraction) return fraction < otherFraction ? -1 : 1;
  return beyond ? 1 : 0;
}

int64_t Decimal::Rounded(int decimals) const {
  int64_t unit = Pow10(9 - decimals);
  int64_t fractionUnits = fraction / unit;
  int64_t rest = fraction % unit;
  int64_t value = whole * Pow10(decimals) + fractionUnits;
  // Half up, as the "0.00000" and "0.0" formats round.
  if (rest * 2 >= unit && unit > 1) ++value;
  return value;
}

std::optional<Decimal> ParseDecimalText(std::string_view text) {
  Decimal d;
  bool anyDigit = false;
  size_t used = Scan(text, d, anyDigit);
  if (!anyDigit || used != text.size()) return std::nullopt;
  return d;
}

Decimal LeadingDecimal(std::string_view text) {
  Decimal d;
  bool anyDigit = false;
  Scan(text, d, anyDigit);
  return d;
}

}  // namespace kv3
