// The conversion helpers, on the values the codec, the link and the entry
// rules depend on.
#include "image/hex.h"

#include <gtest/gtest.h>

namespace kv3 {
namespace {

TEST(HexHelpers, HexByteAndHexWord) {
  EXPECT_EQ(HexByte(5), "05");
  EXPECT_EQ(HexByte(255), "FF");
  EXPECT_EQ(HexByte(256), "100");
  EXPECT_EQ(HexByte(0), "00");
  EXPECT_EQ(HexWord(16), "0010");
  EXPECT_EQ(HexWord(-1), "FFFF");
  EXPECT_EQ(HexWord(0x03D0), "03D0");
}

TEST(HexHelpers, BinaryConversions) {
  EXPECT_EQ(HexToBin("A5"), "10100101");
  EXPECT_EQ(HexToBin("a5"), "10100101");
  EXPECT_EQ(HexToBin(""), "");
  EXPECT_EQ(HexToBin("G"), "0000");
  std::string bin = "11111";
  EXPECT_EQ(BinToHex(bin), "1F");
  EXPECT_EQ(bin, "00011111");  // the caller's text is padded too
  std::string empty;
  EXPECT_EQ(BinToHex(empty), "");
  std::string other = "1x21";
  EXPECT_EQ(BinToHex(other), "9");  // only "1" counts
}

TEST(HexHelpers, SnapToChannelStep) {
  EXPECT_DOUBLE_EQ(SnapToChannelStep("438.12500"), 438.125);
  EXPECT_DOUBLE_EQ(SnapToChannelStep("438.12345"), 438.12);
  EXPECT_DOUBLE_EQ(SnapToChannelStep("438.12400"), 438.12);
  EXPECT_DOUBLE_EQ(SnapToChannelStep("438.10625"), 438.10625);
  EXPECT_DOUBLE_EQ(SnapToChannelStep("479.99999"), 479.995);
  EXPECT_EQ(SnapToChannelStep10Hz(43512346), 43512000);
  EXPECT_EQ(SnapToChannelStep10Hz(43501260), 43501250);
  EXPECT_EQ(SnapToChannelStep10Hz(13601250), 13601250);
  EXPECT_EQ(SnapToChannelStep10Hz(47999999), 47999500);
}

TEST(HexHelpers, FrequencyRemainder) {
  EXPECT_DOUBLE_EQ(FrequencyRemainder(5, 3), 3);   // v < d
  EXPECT_DOUBLE_EQ(FrequencyRemainder(5, 15), 0);  // whole quotient
  EXPECT_NEAR(FrequencyRemainder(0.005, 435.12346), 0.00346, 1e-9);
  EXPECT_NEAR(FrequencyRemainder(0.00625, 435.12346), 0.00471, 1e-9);
  EXPECT_DOUBLE_EQ(FrequencyRemainder(0.00625, 435.0125), 0);
}

TEST(HexHelpers, ValTakesTheLeadingNumber) {
  EXPECT_EQ(Val("12abc"), 12);
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("  300"), 300);
  EXPECT_EQ(Val("-3"), -3);
  EXPECT_EQ(Val("1.5S"), 1.5);
  EXPECT_EQ(Val("x1"), 0);
}

}  // namespace
}  // namespace kv3
