// The sixteen test channels of the test frequencies dialog: entry of a
// receive or transmit frequency with its raster correction.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "editor/editor_state.h"
#include "image/image.h"

namespace kv3 {

// One row of the dialog's grid: column 1 receive, column 2 transmit.
struct TestFrequencyRow {
  Freq4 rx;
  Freq4 tx;
  friend bool operator==(const TestFrequencyRow&, const TestFrequencyRow&) = default;
};

using TestFrequencyRows = std::array<TestFrequencyRow, kChannelCount>;

// The lowest and the first too high frequency of the field (10 Hz units): a
// test frequency has three digits before the point.
inline constexpr int64_t kTestFrequencyLowest = 10'000'000;    // 100 MHz
inline constexpr int64_t kTestFrequencyTooHigh = 100'000'000;  // 1000 MHz

// The rows of the shared table, and the table of rows.
TestFrequencyRows RowsFromTable(const SharedValues& shared);
void StoreRows(const TestFrequencyRows& rows, SharedValues& shared);

// A typed frequency in MHz ("435.0125", " 435 ") as 10 Hz units; digits beyond
// the fifth decimal are dropped. False for a text that is not a plain decimal
// number or lies outside 100 MHz up to (not including) 1000 MHz.
bool ParseTestFrequency(std::string_view text, int64_t& units);

// Moves a frequency down onto the nearer lower point of the 5 kHz and the
// 6.25 kHz rasters; on a tie the 6.25 kHz raster.
int64_t SnapDownToNearerRaster(int64_t units);

// Moves a transmit frequency down onto the raster of the receive frequency:
// 6.25 kHz when the receive frequency lies on it, else 5 kHz.
int64_t SnapDownToRasterOf(int64_t units, const Freq4& rx);

// Column 2 may only be edited while column 1 holds a frequency.
bool CanEditTestFrequency(const TestFrequencyRow& row, int column);

enum class TestFrequencyEdit {
  Accepted,
  Unchanged,      // the text the cell already shows: nothing is changed
  NotAFrequency,  // refused: the row is unchanged
  NotEditable,    // a transmit frequency without a receive frequency
};

// The edit of a cell (column 1 or 2) with a typed text. An empty receive
// frequency empties the row; a receive frequency is corrected and copied to
// the transmit column; an empty transmit frequency copies the receive one.
// The text the cell already shows changes nothing.
TestFrequencyEdit EditTestFrequency(TestFrequencyRow& row, int column, std::string_view text);

}  // namespace kv3
