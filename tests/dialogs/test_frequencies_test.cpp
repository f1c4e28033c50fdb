#include "dialogs/test_frequencies.h"

#include <gtest/gtest.h>

#include <cmath>

#include "image/hex.h"

namespace kv3 {
namespace {

std::string Rx(const TestFrequencyRow& row) {
  return FrequencyText(row.rx);
}
std::string Tx(const TestFrequencyRow& row) {
  return FrequencyText(row.tx);
}

TEST(TestFrequencyEntry, ReceiveMovesDownToTheNearerRasterAndResetsTransmit) {
  // Whichever raster (5 or 6.25 kHz) has the nearer lower point wins: for
  // 435.12346 the 5 kHz point is 3.46 kHz below, the 6.25 kHz one 4.71 below.
  const std::pair<const char*, const char*> cases[] = {{"435.12346", "435.12000"},
                                                       {"435.0125", "435.01250"},
                                                       {"435.01300", "435.01250"},
                                                       {"435.00999", "435.00625"},
                                                       {"435.0124", "435.01000"}};
  TestFrequencyRow row;
  for (auto [typed, stored] : cases) {
    ASSERT_EQ(EditTestFrequency(row, 1, typed), TestFrequencyEdit::Accepted);
    EXPECT_EQ(Rx(row), stored) << typed;
    EXPECT_EQ(Tx(row), stored) << typed;
  }
}

TEST(TestFrequencyEntry, TransmitTakesTheRasterOfTheReceiveFrequency) {
  TestFrequencyRow row;
  EditTestFrequency(row, 1, "435.01250");
  ASSERT_EQ(EditTestFrequency(row, 2, "435.0160"), TestFrequencyEdit::Accepted);
  EXPECT_EQ(Tx(row), "435.01250");
  EXPECT_EQ(Rx(row), "435.01250");

  EditTestFrequency(row, 1, "435.02000");
  ASSERT_EQ(EditTestFrequency(row, 2, "435.0160"), TestFrequencyEdit::Accepted);
  EXPECT_EQ(Tx(row), "435.01500");
  EXPECT_EQ(Rx(row), "435.02000");
}

// Passing through a cell leaves the row alone: a receive cell does not reset
// the transmit frequency, an empty transmit cell does not take the receive one.
TEST(TestFrequencyEntry, AnUnchangedTextChangesNothing) {
  TestFrequencyRow row;
  EditTestFrequency(row, 1, "145.5");
  EditTestFrequency(row, 2, "146.1");
  const TestFrequencyRow before = row;
  EXPECT_EQ(EditTestFrequency(row, 1, "145.50000"), TestFrequencyEdit::Unchanged);
  EXPECT_EQ(EditTestFrequency(row, 2, "146.10000"), TestFrequencyEdit::Unchanged);
  EXPECT_EQ(row, before);
  row.tx = Freq4{};
  EXPECT_EQ(EditTestFrequency(row, 2, ""), TestFrequencyEdit::Unchanged);
  EXPECT_TRUE(row.tx.blank());
}

TEST(TestFrequencyEntry, EmptyCells) {
  TestFrequencyRow row;
  EditTestFrequency(row, 1, "145.5");
  EditTestFrequency(row, 2, "146.1");
  ASSERT_EQ(Tx(row), "146.10000");
  ASSERT_EQ(EditTestFrequency(row, 2, ""), TestFrequencyEdit::Accepted);
  EXPECT_EQ(Tx(row), "145.50000");
  ASSERT_EQ(EditTestFrequency(row, 1, "  "), TestFrequencyEdit::Accepted);
  EXPECT_TRUE(row.rx.blank());
  EXPECT_TRUE(row.tx.blank());
  // Without a receive frequency the transmit cell cannot be edited at all.
  EXPECT_FALSE(CanEditTestFrequency(row, 2));
  EXPECT_EQ(EditTestFrequency(row, 2, "146.1"), TestFrequencyEdit::NotEditable);
  EXPECT_TRUE(row.tx.blank());
}

TEST(TestFrequencyEntry, TextsThatDoNotFitTheFieldAreRefusedAndChangeNothing) {
  TestFrequencyRow row;
  EditTestFrequency(row, 1, "438.5");
  EditTestFrequency(row, 2, "439");
  const TestFrequencyRow before = row;
  for (const char* bad :
       {"abc", "438.5x", "-438.5", "99.99999", "1000", "1000.00001", ".", "4.3.2", "12345678"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(EditTestFrequency(row, 1, bad), TestFrequencyEdit::NotAFrequency);
    EXPECT_EQ(EditTestFrequency(row, 2, bad), TestFrequencyEdit::NotAFrequency);
    EXPECT_EQ(row, before);
  }
  // The ends of the field.
  EXPECT_EQ(EditTestFrequency(row, 1, "100"), TestFrequencyEdit::Accepted);
  EXPECT_EQ(Rx(row), "100.00000");
  EXPECT_EQ(EditTestFrequency(row, 1, "999.999999"), TestFrequencyEdit::Accepted);
  EXPECT_EQ(Rx(row), "999.99500");
}

TEST(TestFrequencyEntry, IntegerRasterAgreesWithTheRemainderHelper) {
  // The raster in 10 Hz units gives what the floating-point remainder gives
  // wherever the latter is exact enough to tell.
  for (int64_t u = 43500000; u < 43502000; u += 37) {
    double v = u / 100000.0;
    double a = FrequencyRemainder(0.005, v);
    double b = FrequencyRemainder(0.00625, v);
    if (std::abs(a - b) < 1e-7) continue;
    double expected = a >= b ? v - b : v - a;
    EXPECT_NEAR(SnapDownToNearerRaster(u) / 100000.0, expected, 1e-7) << u;
  }
}

TEST(TestFrequencyEntry, RowsRoundTripThroughTheSharedTable) {
  SharedValues shared;
  TestFrequencyRows rows{};
  EditTestFrequency(rows[15], 1, "150.0");
  EditTestFrequency(rows[15], 2, "151.0");
  StoreRows(rows, shared);
  EXPECT_EQ(FrequencyText(shared.TestFrequencyTable[15][0]), "150.00000");
  EXPECT_EQ(FrequencyText(shared.TestFrequencyTable[15][1]), "151.00000");
  EXPECT_TRUE(shared.TestFrequencyTable[0][0].blank());
  EXPECT_EQ(RowsFromTable(shared), rows);
}

}  // namespace
}  // namespace kv3
