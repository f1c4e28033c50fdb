#include "dialogs/test_frequencies.h"

namespace kv3 {

namespace {
constexpr int64_t kStep5kHz = 500;     // in 10 Hz units
constexpr int64_t kStep6p25kHz = 625;  // in 10 Hz units

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
}  // namespace

TestFrequencyRows RowsFromTable(const SharedValues& shared) {
  TestFrequencyRows rows;
  for (int t = 0; t < kChannelCount; ++t)
    rows[t] = {shared.TestFrequencyTable[t][0], shared.TestFrequencyTable[t][1]};
  return rows;
}

void StoreRows(const TestFrequencyRows& rows, SharedValues& shared) {
  for (int t = 0; t < kChannelCount; ++t) {
    shared.TestFrequencyTable[t][0] = rows[t].rx;
    shared.TestFrequencyTable[t][1] = rows[t].tx;
  }
}

bool ParseTestFrequency(std::string_view text, int64_t& units) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  int64_t whole = 0;
  int64_t fraction = 0;  // the first five decimals
  int wholeDigits = 0, decimals = 0;
  bool point = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9') {
      if (!point) {
        if (++wholeDigits > 6) return false;  // far out of range already
        whole = whole * 10 + (c - '0');
      } else if (++decimals <= 5) {
        fraction = fraction * 10 + (c - '0');
      }
    } else {
      return false;
    }
  }
  if (wholeDigits + decimals == 0) return false;
  for (int d = decimals; d < 5; ++d) fraction *= 10;
  units = whole * 100'000 + fraction;
  return units >= kTestFrequencyLowest && units < kTestFrequencyTooHigh;
}

int64_t SnapDownToNearerRaster(int64_t units) {
  int64_t a = units % kStep5kHz;
  int64_t b = units % kStep6p25kHz;
  return a >= b ? units - b : units - a;
}

int64_t SnapDownToRasterOf(int64_t units, const Freq4& rx) {
  int64_t rxUnits = Freq4ToUnits(rx);
  int64_t step = rxUnits >= 0 && rxUnits % kStep6p25kHz == 0 ? kStep6p25kHz : kStep5kHz;
  return units - units % step;
}

bool CanEditTestFrequency(const TestFrequencyRow& row, int column) {
  if (column == 1) return true;
  return column == 2 && !row.rx.blank();
}

TestFrequencyEdit EditTestFrequency(TestFrequencyRow& row, int column, std::string_view text) {
  if (!CanEditTestFrequency(row, column)) return TestFrequencyEdit::NotEditable;
  // Passing through a cell is no edit: its transmit frequency stays.
  if (text == FrequencyText(column == 1 ? row.rx : row.tx)) return TestFrequencyEdit::Unchanged;
  bool empty = true;
  for (char c : text)
    if (!IsBlank(c)) empty = false;

  if (column == 1) {
    if (empty) {
      row = {};
      return TestFrequencyEdit::Accepted;
    }
    int64_t units = 0;
    if (!ParseTestFrequency(text, units)) return TestFrequencyEdit::NotAFrequency;
    row.rx = Freq4FromUnits(static_cast<uint32_t>(SnapDownToNearerRaster(units)));
    row.tx = row.rx;
    return TestFrequencyEdit::Accepted;
  }

  if (empty) {
    row.tx = row.rx;
    return TestFrequencyEdit::Accepted;
  }
  int64_t units = 0;
  if (!ParseTestFrequency(text, units)) return TestFrequencyEdit::NotAFrequency;
  row.tx = Freq4FromUnits(static_cast<uint32_t>(SnapDownToRasterOf(units, row.rx)));
  return TestFrequencyEdit::Accepted;
}

}  // namespace kv3
