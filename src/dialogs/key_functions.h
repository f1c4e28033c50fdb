// The keys set dialog's lists: the function of the side keys PF1 and PF2.
#pragma once

namespace kv3 {

inline constexpr int kKeyFunctionCount = 12;
inline constexpr int kKeyFunctionOff = 1;  // "OFF"

// The list position that shows a key function; a value outside the list shows "OFF".
constexpr int KeyFunctionPosition(int value) {
  return value >= 0 && value < kKeyFunctionCount ? value : kKeyFunctionOff;
}

}  // namespace kv3
