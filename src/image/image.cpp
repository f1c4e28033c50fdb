#include "image/image.h"

namespace kv3 {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

Freq4 Freq4FromUnits(uint32_t units) {
  Freq4 f;
  for (int i = 0; i < 4; ++i) {
    uint32_t lo = units % 10;
    units /= 10;
    uint32_t hi = units % 10;
    units /= 10;
    f.bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
  }
  return f;
}

int64_t Freq4ToUnits(const Freq4& f) {
  if (f.blank()) return -1;
  int64_t v = 0;
  for (int i = 3; i >= 0; --i) {
    int hi = f.bytes[i] >> 4, lo = f.bytes[i] & 15;
    if (hi > 9 || lo > 9) return -1;
    v = v * 100 + hi * 10 + lo;
  }
  return v;
}

std::string FrequencyText(const Freq4& f) {
  if (f.blank()) return {};
  const auto& b = f.bytes;
  std::string s;
  s.reserve(9);
  s.push_back(kDigits[b[3] >> 4]);
  s.push_back(kDigits[b[3] & 15]);
  s.push_back(kDigits[b[2] >> 4]);
  s.push_back('.');
  s.push_back(kDigits[b[2] & 15]);
  s.push_back(kDigits[b[1] >> 4]);
  s.push_back(kDigits[b[1] & 15]);
  s.push_back(kDigits[b[0] >> 4]);
  s.push_back(kDigits[b[0] & 15]);
  return s;
}

Freq4 Freq4FromText(std::string_view s) {
  if (s.empty()) return kNoFrequency;
  auto digit = [&](size_t pos) -> int {  // 1-based position
    if (pos > s.size()) return 0;
    char c = s[pos - 1];
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
  };
  auto pair = [&](size_t a, size_t b) { return static_cast<uint8_t>(digit(a) << 4 | digit(b)); };
  return Freq4{{pair(8, 9), pair(6, 7), pair(3, 5), pair(1, 2)}};
}

void PutTextField(MemoryImage& image, int address, int size, std::string_view text) {
  for (int k = 0; k < size; ++k) {
    image[At(address + k)] =
        k < static_cast<int>(text.size()) ? static_cast<uint8_t>(text[k]) : uint8_t{0xFF};
  }
}

std::string GetTextField(const MemoryImage& image, int address, int size) {
  std::string s;
  for (int k = 0; k < size; ++k) {
    uint8_t b = image[At(address + k)];
    if (b != 0xFF) s.push_back(static_cast<char>(b));
  }
  return s;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

bool Utf8ToLatin1(std::string_view utf8, std::string& out) {
  out.clear();
  for (size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
      out.push_back(static_cast<char>((c & 0x03) << 6 | (utf8[i + 1] & 0x3F)));
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace kv3
