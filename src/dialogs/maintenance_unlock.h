// The maintenance unlock: a hidden sequence of clicks on three captions of
// the optional functions dialog enables power tuning (and the write of the
// power block); a double click on the toolbar key "TAnMa" locks it again.
//
// Times are seconds since midnight with fractions, passed in by the caller.
#pragma once

#include <optional>

#include "editor/editor_state.h"

namespace kv3 {

// State of the click sequence; it lives as long as the program runs and is
// never saved. Decoding clears TuningUnlocked but none of these.
struct UnlockState {
  bool UnlockClick1 = false;
  bool UnlockClick2 = false;
  bool UnlockClick3 = false;
  int UnlockClickTime = 0;  // whole seconds since midnight: start of the window
  bool HiddenKeyUnlocked = false;
  // The last counted click on "TAnMa" (whole seconds), none while no pair is pending.
  std::optional<int> TAnMaClickTime;

  friend bool operator==(const UnlockState&, const UnlockState&) = default;
};

// The three captions that act as keys of the sequence.
enum class UnlockCaption { First = 1, Second = 2, Third = 3 };

// How long the three clicks may take, and the re-lock double click.
inline constexpr double kUnlockWindowSeconds = 5.0;
inline constexpr double kRelockPairSeconds = 1.0;

// A time of day rounded to a whole second, halves to the even second.
int RoundToEvenSecond(double secondsSinceMidnight);

// Seconds from a stored whole second to now; a negative difference of more
// than half a day means midnight lay between them.
double SecondsSince(int stored, double now);

// A click on one of the three captions at time now. Returns true when this
// click unlocks: the caller then shows the "TAnMa" key and enables the power
// sliders; TuningUnlocked is already 1.
bool HiddenCaptionClick(UnlockState& unlock, UnlockCaption caption, double now,
                        SharedValues& shared);

// A click on the toolbar key "TAnMa" at time now. Returns true when it
// completes a double click within a second and re-locks: the sequence is
// cleared and TuningUnlocked is 0; the caller disables the power sliders and
// hides the key.
bool TAnMaClick(UnlockState& unlock, double now, SharedValues& shared);

}  // namespace kv3
