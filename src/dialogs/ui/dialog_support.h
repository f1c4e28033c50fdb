// Helpers shared by the feature dialogs' windows: texts as Qt strings, the
// clock of the hidden clicks. Their captions come through
// i18n/ui/window_captions.h.
#pragma once

#include <QString>
#include <string>

namespace kv3 {

inline QString Qs(const std::string& utf8) {
  return QString::fromStdString(utf8);
}
inline QString Qs(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The time of day in seconds since midnight, with fractions.
double SecondsSinceMidnight();

}  // namespace kv3
