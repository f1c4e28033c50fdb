#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "dialogs/maintenance_unlock.h"

namespace kv3 {
namespace {

using C = UnlockCaption;

// Clicks on the three hidden captions from a fresh start; whether the last
// one unlocks. The window is five seconds from the first click, rounded to the
// even second.
TEST(HiddenClickSequence, ThreeCaptionsWithinFiveSecondsInAnyOrderUnlock) {
  struct Case {
    const char* what;
    std::vector<std::pair<C, double>> clicks;
    bool unlocks;
  } cases[] = {
      {"exactly 5 s after the stored 100",
       {{C::Third, 100.2}, {C::First, 102}, {C::First, 103}, {C::Second, 105}},
       true},
      {"the same caption twice is still two",
       {{C::Third, 100.2}, {C::First, 102}, {C::First, 103}},
       false},
      {"100.6 is stored as 101", {{C::First, 100.6}, {C::Second, 106}, {C::Third, 106}}, true},
      {"100.4 is stored as 100: 105.1 is late",
       {{C::First, 100.4}, {C::Second, 102}, {C::Third, 105.1}},
       false},
      {"the late click opened a new window",
       {{C::First, 100.4}, {C::Second, 102}, {C::Third, 105.1}, {C::First, 106}, {C::Second, 110}},
       true},
      {"across midnight", {{C::First, 86398}, {C::Second, 86399.9}, {C::Third, 1}}, true},
      {"morning after evening is late",
       {{C::First, 80000}, {C::Second, 1000}, {C::Third, 1001}},
       false},
  };
  for (const Case& c : cases) {
    SharedValues shared;
    UnlockState u;
    bool last = false;
    for (auto [caption, at] : c.clicks) last = HiddenCaptionClick(u, caption, at, shared);
    EXPECT_EQ(last, c.unlocks) << c.what;
    EXPECT_EQ(shared.TuningUnlocked, c.unlocks ? 1 : 0) << c.what;
    EXPECT_EQ(u.HiddenKeyUnlocked, c.unlocks) << c.what;
  }
}

TEST(HiddenClickSequence, OnceUnlockedOneCaptionInsideTheWindowUnlocksAgain) {
  SharedValues shared;
  UnlockState u;
  HiddenCaptionClick(u, C::First, 10, shared);
  HiddenCaptionClick(u, C::Second, 11, shared);
  ASSERT_TRUE(HiddenCaptionClick(u, C::Third, 12, shared));
  shared.TuningUnlocked = 0;  // a decode clears it, not the sequence
  EXPECT_TRUE(HiddenCaptionClick(u, C::Second, 14, shared));
  EXPECT_EQ(shared.TuningUnlocked, 1);
  // Outside the window the click only opens a new one; the next one unlocks.
  shared.TuningUnlocked = 0;
  EXPECT_FALSE(HiddenCaptionClick(u, C::Second, 30, shared));
  EXPECT_EQ(shared.TuningUnlocked, 0);
  EXPECT_TRUE(HiddenCaptionClick(u, C::Second, 31, shared));
}

TEST(TAnMaKey, ADoubleClickWithinASecondRelocks) {
  auto unlocked = [] {
    UnlockState u;
    u.UnlockClick1 = u.UnlockClick2 = u.UnlockClick3 = true;
    u.HiddenKeyUnlocked = true;
    return u;
  };
  struct Case {
    double first, second;
    bool relocks;
  };
  for (Case c : {Case{10.4, 11.3, false}, Case{10.6, 11.5, true}, Case{20.2, 20.6, true},
                 Case{20.0, 21.5, false}}) {
    SCOPED_TRACE(c.first);
    SharedValues shared;
    shared.TuningUnlocked = 1;
    UnlockState u = unlocked();
    EXPECT_FALSE(TAnMaClick(u, c.first, shared));
    EXPECT_EQ(TAnMaClick(u, c.second, shared), c.relocks);
    EXPECT_EQ(shared.TuningUnlocked, c.relocks ? 0 : 1);
    EXPECT_EQ(u.HiddenKeyUnlocked, !c.relocks);
    EXPECT_EQ(u.UnlockClick1, !c.relocks);
    EXPECT_EQ(u.TAnMaClickTime.has_value(), !c.relocks);
  }
}

TEST(TAnMaKey, ALateSecondClickStartsANewPair) {
  SharedValues shared;
  shared.TuningUnlocked = 1;
  UnlockState u;
  u.HiddenKeyUnlocked = true;
  TAnMaClick(u, 10.0, shared);
  EXPECT_FALSE(TAnMaClick(u, 11.5, shared));  // stored 12
  EXPECT_EQ(u.TAnMaClickTime, 12);
  EXPECT_TRUE(TAnMaClick(u, 12.3, shared));
  EXPECT_FALSE(u.HiddenKeyUnlocked);
  // After the re-lock the next click is a first click again.
  EXPECT_FALSE(TAnMaClick(u, 12.5, shared));
}

}  // namespace
}  // namespace kv3
