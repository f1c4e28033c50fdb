#include "image/hex.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kv3 {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string ToHex(uint64_t v) {
  if (v == 0) return "0";
  std::string s;
  while (v) {
    s.insert(s.begin(), kDigits[v & 15]);
    v >>= 4;
  }
  return s;
}
}  // namespace

std::string HexByte(double value) {
  // Halves round to the even neighbour, as the codec never passes halves.
  double r = std::nearbyint(value);
  std::string s;
  if (r < 0) {
    // Negative numbers print their 32-bit two's complement.
    s = ToHex(static_cast<uint32_t>(static_cast<int64_t>(r)));
  } else {
    s = ToHex(static_cast<uint64_t>(r));
  }
  if (s.size() == 1) s.insert(s.begin(), '0');
  return s;
}

std::string HexWord(int16_t value) {
  std::string s = ToHex(static_cast<uint16_t>(value));
  while (s.size() < 4) s.insert(s.begin(), '0');
  return s;
}

std::string HexToBin(std::string_view hex) {
  std::string out;
  out.reserve(hex.size() * 4);
  for (char c : hex) {
    int v = HexValue(c);
    if (v < 0) v = 0;
    for (int bit = 3; bit >= 0; --bit) out.push_back((v >> bit) & 1 ? '1' : '0');
  }
  return out;
}

std::string BinToHex(std::string& bin) {
  while (bin.size() % 4 != 0) bin.insert(bin.begin(), '0');
  std::string out;
  out.reserve(bin.size() / 4);
  for (size_t i = 0; i < bin.size(); i += 4) {
    int v = 0;
    for (size_t j = 0; j < 4; ++j) v = v * 2 + (bin[i + j] == '1' ? 1 : 0);
    out.push_back(kDigits[v]);
  }
  return out;
}

int64_t SnapToChannelStep10Hz(int64_t units) {
  int64_t r = units % 10000;
  int64_t a = r % 625;
  int64_t b = r % 500;
  if (a != 0 && b != 0) r -= (a > b) ? b : a;
  return units - units % 10000 + r;
}

double SnapToChannelStep(std::string_view text) {
  if (text.size() < 4) return Val(text);
  std::string_view head = text.substr(0, text.size() - 4);
  std::string_view tail = text.substr(text.size() - 4);
  int64_t r = static_cast<int64_t>(Val(tail));
  int64_t a = r % 625;
  int64_t b = r % 500;
  if (a == 0 || b == 0) return Val(text);
  r -= (a > b) ? b : a;
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04lld", static_cast<long long>(r));
  std::string joined(head);
  joined += buf;
  return Val(joined);
}

double FrequencyRemainder(double d, double v) {
  if (v < d) return v;
  // A quotient whose decimal text (15 significant digits) has no point is whole.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v / d);
  if (std::string_view(buf).find_first_of(".e") == std::string_view::npos) return 0;
  double k = std::floor(v / d);
  if (k < 1) k = 1;
  double r = v - k * d;
  while (r >= d) r -= d;
  while (r < 0) r += d;
  return r;
}

bool HexTextToBytes(std::string_view hex, std::vector<uint8_t>& out) {
  out.clear();
  if (hex.size() % 2 != 0) return false;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    int hi = HexValue(hex[i]);
    int lo = HexValue(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

std::string BytesToHexText(std::span<const uint8_t> bytes) {
  std::string s(bytes.size() * 2, '0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    s[2 * i] = kDigits[bytes[i] >> 4];
    s[2 * i + 1] = kDigits[bytes[i] & 15];
  }
  return s;
}

double Val(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string num;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) num.push_back(text[i++]);
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      num.push_back(c);
      digits = true;
    } else if (c == '.' && !point) {
      num.push_back(c);
      point = true;
    } else if (c == ' ') {
      continue;  // Val ignores blanks inside a number
    } else {
      break;
    }
  }
  if (!digits) return 0;
  return std::strtod(num.c_str(), nullptr);
}

}  // namespace kv3
