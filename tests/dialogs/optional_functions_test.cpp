#include "dialogs/optional_functions.h"

#include <gtest/gtest.h>

#include "dialogs/embedded_info.h"

namespace kv3 {
namespace {

TEST(PriorityChannel, OtherModesNeverComplain) {
  int fixed = 0;
  for (int mode : {0, 2}) {
    EXPECT_EQ(PriorityModeChosen(mode, ChannelGrid{}, fixed).message, PriorityMessage::None);
    PriorityOutcome o = PriorityChannelChosen(mode, 6, ChannelGrid{}, fixed);
    EXPECT_EQ(o.message, PriorityMessage::None);
    EXPECT_EQ(o.Combo12, 6);
  }
}

TEST(ScanDelay, WholeSecondsFromZeroTo300) {
  int s = -1;
  EXPECT_TRUE(ParseScanDelay("0", s));
  EXPECT_EQ(s, 0);
  EXPECT_TRUE(ParseScanDelay(" 300 ", s));
  EXPECT_EQ(s, 300);
  for (const char* bad : {"", " ", "301", "-1", "1.5", "12a", "0x10", "1000"})
    EXPECT_FALSE(ParseScanDelay(bad, s)) << bad;
}

TEST(OptionalFunctionsDialog, StoringWhatIsShownKeepsEveryValue) {
  SharedValues shared = StartupState().shared;
  shared.OptionText[10] = "2";
  shared.OptionText[11] = "16";
  shared.OptionText[12] = "91";
  shared.OptionText[18] = "120";
  shared.OptionText[22] = "1";
  OptionalFunctionsControls c = ControlsFromShared(shared);
  EXPECT_EQ(c.Combo11, 2);
  EXPECT_EQ(c.Combo12, 15);
  EXPECT_EQ(c.Combo13, 91);
  EXPECT_EQ(c.Text5, "120");
  EXPECT_EQ(c.Text6, "0");  // never set: the radio is given 0
  EXPECT_TRUE(c.Check3);

  SharedValues stored = shared;
  ASSERT_EQ(StoreOptionalFunctions(c, stored), OptionalFunctionsStore::Stored);
  stored.OptionText[19] = shared.OptionText[19];  // "" became "0"
  EXPECT_EQ(stored, shared);
}

TEST(OptionalFunctionsDialog, ValuesOutsideTheListsSelectNothingAndSurviveStoring) {
  SharedValues shared = StartupState().shared;
  shared.OptionText[11] = "0";
  shared.OptionText[7] = "9";
  OptionalFunctionsControls c = ControlsFromShared(shared);
  EXPECT_EQ(c.Combo12, -1);
  EXPECT_EQ(c.Combo8, -1);
  ASSERT_EQ(StoreOptionalFunctions(c, shared), OptionalFunctionsStore::Stored);
  EXPECT_EQ(shared.OptionText[11], "0");
  EXPECT_EQ(shared.OptionText[7], "9");
}

TEST(OptionalFunctionsDialog, ABadDelayStoresNothing) {
  SharedValues shared = StartupState().shared;
  const SharedValues before = shared;
  OptionalFunctionsControls c = ControlsFromShared(shared);
  c.Combo4 = 2;
  c.Text5 = "301";
  EXPECT_EQ(StoreOptionalFunctions(c, shared), OptionalFunctionsStore::BadReceiveDelay);
  c.Text5 = "3";
  c.Text6 = "abc";
  EXPECT_EQ(StoreOptionalFunctions(c, shared), OptionalFunctionsStore::BadTransmitDelay);
  EXPECT_EQ(shared, before);
  EXPECT_EQ(ScanDelayMessage(OptionalFunctionsStore::BadTransmitDelay, Language::English),
            "Scan launch delay time(S): must be a whole number of seconds from 0 to 300; nothing "
            "was stored.");
}

TEST(EmbeddedInformation, OnlyCharactersWithASingleByte) {
  std::string bytes;
  EXPECT_TRUE(EmbeddedInfoBytes("Café 12#", bytes));
  EXPECT_EQ(bytes, "Caf\xE9 12#");
  EXPECT_FALSE(EmbeddedInfoBytes("凯维", bytes));
  EXPECT_FALSE(EmbeddedInfoBytes("\xC3\xBF", bytes));  // ÿ would be read back as an unused byte
  EXPECT_FALSE(EmbeddedInfoBytes("a\tb", bytes));
}

}  // namespace
}  // namespace kv3
