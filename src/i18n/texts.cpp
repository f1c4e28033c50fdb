#include "i18n/texts.h"

#include <cstdio>

namespace kv3 {

namespace {
std::string WithSuffix(int number, const Text2& suffix, Language lang) {
  return std::to_string(number) + Localize(suffix, lang);
}
constexpr Text2 kSeconds{" 秒", " S"};
constexpr Text2 kGrade{" 级", " Group"};
}  // namespace

std::string TxTimeoutEntry(int position, Language lang) {
  return WithSuffix(15 * (position + 1), kSeconds, lang);
}

std::string PreAlertEntry(int position, Language lang) {
  if (position == 0) return Localize({"关闭", "Off"}, lang);
  return WithSuffix(position, kSeconds, lang);
}

std::string SquelchEntry(int position, Language lang) {
  return WithSuffix(position, kGrade, lang);
}

namespace form5 {

std::string RetraceEntry(int position, Language lang) {
  if (position <= 0) return Localize(kRetraceEmpty, lang);
  // 0.50 S for position 1, in steps of 0.05 s; computed in hundredths.
  int hundredths = 50 + 5 * (position - 1);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d.%02d S", hundredths / 100, hundredths % 100);
  return buf;
}

std::string VoxGainEntry(int position, Language lang) {
  if (position <= 0) return Localize(kVoxGainOff, lang);
  return std::to_string(position);
}

std::string DKeyEntry(int position) {
  if (position <= 0) return "D码";
  return std::to_string(position) + "秒";
}

std::string AutoResetEntry(int position) {
  if (position <= 0) return "关闭";
  return std::to_string(position) + "秒";
}

}  // namespace form5
}  // namespace kv3
