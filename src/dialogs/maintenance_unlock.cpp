#include "dialogs/maintenance_unlock.h"

#include <cmath>

namespace kv3 {

namespace {
constexpr double kDaySeconds = 86400.0;
}

int RoundToEvenSecond(double secondsSinceMidnight) {
  // Round half to even without depending on the floating-point rounding mode.
  double whole = std::floor(secondsSinceMidnight);
  double fraction = secondsSinceMidnight - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<int>(whole);
}

double SecondsSince(int stored, double now) {
  double elapsed = now - stored;
  if (elapsed < -kDaySeconds / 2) elapsed += kDaySeconds;
  return elapsed;
}

bool HiddenCaptionClick(UnlockState& unlock, UnlockCaption caption, double now,
                        SharedValues& shared) {
  if (!unlock.UnlockClick1 && !unlock.UnlockClick2 && !unlock.UnlockClick3)
    unlock.UnlockClickTime = RoundToEvenSecond(now);

  if (SecondsSince(unlock.UnlockClickTime, now) > kUnlockWindowSeconds) {
    // A new window starts with this click alone.
    unlock.UnlockClick1 = caption == UnlockCaption::First;
    unlock.UnlockClick2 = caption == UnlockCaption::Second;
    unlock.UnlockClick3 = caption == UnlockCaption::Third;
    unlock.UnlockClickTime = RoundToEvenSecond(now);
    return false;
  }

  switch (caption) {
    case UnlockCaption::First:
      unlock.UnlockClick1 = true;
      break;
    case UnlockCaption::Second:
      unlock.UnlockClick2 = true;
      break;
    case UnlockCaption::Third:
      unlock.UnlockClick3 = true;
      break;
  }
  if (unlock.UnlockClick1 && unlock.UnlockClick2 && unlock.UnlockClick3)
    unlock.HiddenKeyUnlocked = true;
  if (!unlock.HiddenKeyUnlocked) return false;
  shared.TuningUnlocked = 1;
  return true;
}

bool TAnMaClick(UnlockState& unlock, double now, SharedValues& shared) {
  if (!unlock.TAnMaClickTime) {
    unlock.TAnMaClickTime = RoundToEvenSecond(now);
    return false;
  }
  if (SecondsSince(*unlock.TAnMaClickTime, now) < kRelockPairSeconds) {
    unlock.TAnMaClickTime.reset();
    unlock.HiddenKeyUnlocked = false;
    unlock.UnlockClick1 = unlock.UnlockClick2 = unlock.UnlockClick3 = false;
    shared.TuningUnlocked = 0;
    return true;
  }
  unlock.TAnMaClickTime = RoundToEvenSecond(now);
  return false;
}

}  // namespace kv3
