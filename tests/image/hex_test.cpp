// The conversion helpers give exactly the documented results, the odd ones
// included (three digits above 255, the caller's text padded by BinToHex).
#include "image/hex.h"

#include <gtest/gtest.h>

namespace kv3 {
namespace {

TEST(HexHelpers, DocumentedResults) {
  EXPECT_EQ(HexByte(5), "05");
  EXPECT_EQ(HexByte(255), "FF");
  EXPECT_EQ(HexByte(256), "100");
  EXPECT_EQ(HexWord(16), "0010");
  EXPECT_EQ(HexWord(-1), "FFFF");
  EXPECT_EQ(HexToBin("A5"), "10100101");
  EXPECT_EQ(HexToBin(""), "");
  std::string bin = "11111";
  EXPECT_EQ(BinToHex(bin), "1F");
  EXPECT_EQ(bin, "00011111");
  EXPECT_DOUBLE_EQ(SnapToChannelStep("438.12500"), 438.125);
  EXPECT_DOUBLE_EQ(SnapToChannelStep("438.12345"), 438.12);
  EXPECT_DOUBLE_EQ(SnapToChannelStep("438.10625"), 438.10625);
  EXPECT_NEAR(FrequencyRemainder(0.005, 435.12346), 0.00346, 1e-9);
  EXPECT_DOUBLE_EQ(FrequencyRemainder(0.00625, 435.0125), 0);
  EXPECT_EQ(Val("12abc"), 12);
  EXPECT_EQ(Val(""), 0);
}

}  // namespace
}  // namespace kv3
