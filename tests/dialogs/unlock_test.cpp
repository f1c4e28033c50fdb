#include <gtest/gtest.h>

#include "dialogs/maintenance_unlock.h"

namespace kv3 {
namespace {

using C = UnlockCaption;

TEST(HiddenClickSequence, ThreeCaptionsWithinFiveSecondsInAnyOrderUnlock) {
  SharedValues shared;
  UnlockState u;
  EXPECT_FALSE(HiddenCaptionClick(u, C::Third, 100.2, shared));
  EXPECT_FALSE(HiddenCaptionClick(u, C::First, 102.0, shared));
  EXPECT_FALSE(HiddenCaptionClick(u, C::First, 103.0, shared));  // twice the same: still two
  EXPECT_EQ(shared.TuningUnlocked, 0);
  EXPECT_TRUE(HiddenCaptionClick(u, C::Second, 105.0, shared));  // stored 100, exactly 5 s
  EXPECT_EQ(shared.TuningUnlocked, 1);
  EXPECT_TRUE(u.HiddenKeyUnlocked);
}

TEST(HiddenClickSequence, TheWindowStartsAtTheRoundedFirstClick) {
  SharedValues shared;
  UnlockState u;
  // 100.6 is stored as 101, so 106.0 is still inside (5.0) and 106.1 too.
  HiddenCaptionClick(u, C::First, 100.6, shared);
  HiddenCaptionClick(u, C::Second, 106.0, shared);
  EXPECT_TRUE(HiddenCaptionClick(u, C::Third, 106.0, shared));

  // 100.4 is stored as 100: a click at 105.1 is late and starts a new window
  // in which only that caption counts.
  UnlockState v;
  SharedValues s2;
  HiddenCaptionClick(v, C::First, 100.4, s2);
  HiddenCaptionClick(v, C::Second, 102.0, s2);
  EXPECT_FALSE(HiddenCaptionClick(v, C::Third, 105.1, s2));
  EXPECT_FALSE(v.UnlockClick1);
  EXPECT_FALSE(v.UnlockClick2);
  EXPECT_TRUE(v.UnlockClick3);
  EXPECT_EQ(v.UnlockClickTime, 105);
  EXPECT_FALSE(HiddenCaptionClick(v, C::First, 106.0, s2));
  EXPECT_TRUE(HiddenCaptionClick(v, C::Second, 110.0, s2));
  EXPECT_EQ(s2.TuningUnlocked, 1);
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

TEST(HiddenClickSequence, AcrossMidnight) {
  SharedValues shared;
  UnlockState u;
  HiddenCaptionClick(u, C::First, 86398.0, shared);
  HiddenCaptionClick(u, C::Second, 86399.9, shared);
  EXPECT_TRUE(HiddenCaptionClick(u, C::Third, 1.0, shared));
  // A click early in the morning after one late in the evening is long after it.
  UnlockState v;
  HiddenCaptionClick(v, C::First, 80000.0, shared);
  HiddenCaptionClick(v, C::Second, 1000.0, shared);
  EXPECT_FALSE(v.UnlockClick1);
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
