#include "editor/frequency_entry.h"

#include "editor/decimal_text.h"
#include "editor/grid_edit.h"
#include "image/hex.h"

namespace kv3 {

namespace {
constexpr int64_t kUnitsPerMHz = 100'000;  // 10 Hz units

bool InBand(const BandSelection& band, const Decimal& mhz) {
  return mhz.CompareTo(band.BandLowLimit, 0) >= 0 && mhz.CompareTo(band.BandHighLimit, 0) < 0;
}

bool InBandUnits(const BandSelection& band, int64_t units) {
  return units >= band.BandLowLimit * kUnitsPerMHz && units < band.BandHighLimit * kUnitsPerMHz;
}

bool ValidCell(const ChannelGrid& grid) {
  return grid.EditRow >= 1 && grid.EditRow <= kChannelCount &&
         (grid.EditCol == 1 || grid.EditCol == 3);
}
}  // namespace

KeyFilterResult FrequencyKeyFilter(char32_t key) {
  if (key == 13) return {KeyAction::EndEdit, 0};
  if ((key >= U'0' && key <= U'9') || key == 8 || key == U'.') return {KeyAction::Accept, key};
  return {KeyAction::Discard, 0};
}

std::string FilterTypedText(std::u32string_view text, KeyFilter filter) {
  std::string kept;
  for (char32_t c : text) {
    const KeyFilterResult k = filter(c);
    // Every character a filter accepts is ASCII.
    if (k.action == KeyAction::Accept && k.key != 8 && k.key < 0x80)
      kept.push_back(static_cast<char>(k.key));
  }
  return kept;
}

FrequencyCommit CheckFrequency(const BandSelection& band, std::string_view text) {
  FrequencyCommit result;
  std::optional<Decimal> mhz = ParseDecimalText(text);
  if (!mhz) {
    result.outcome = FrequencyOutcome::NotANumber;
    return result;
  }
  // The text is rounded to 10 Hz before the raster correction; a value just
  // below the upper limit can round up onto it, so the rounded value is
  // range-checked as well.
  int64_t units = mhz->Rounded(5);
  if (!InBand(band, *mhz) || !InBandUnits(band, units)) {
    result.outcome = FrequencyOutcome::OutOfBand;
    result.message = OutOfBandMessage();
    return result;
  }
  result.outcome = FrequencyOutcome::Stored;
  result.units = SnapToChannelStep10Hz(units);
  return result;
}

FrequencyCommit CommitFrequency(EditorState& state, std::string_view text) {
  ChannelGrid& grid = state.grid;
  FrequencyCommit result;
  if (!ValidCell(grid)) return result;
  Channel& ch = grid.channels[grid.EditRow - 1];
  // Leaving a cell whose text was not changed changes nothing: a value read
  // from a radio stays as it is, even off the raster.
  if (text == FrequencyText(grid.EditCol == 1 ? ch.rx : ch.tx)) return result;
  if (text.empty()) {
    if (grid.EditCol == 1) {
      ClearNO(grid, grid.EditRow);
      result.outcome = FrequencyOutcome::ChannelCleared;
    }
    return result;
  }
  result = CheckFrequency(state.band, text);
  if (result.outcome != FrequencyOutcome::Stored) return result;
  // A transmit frequency needs a channel: the grid only opens column 3 of a
  // channel that has a receive frequency.
  if (grid.EditCol == 3 && ch.empty()) return FrequencyCommit{};
  Freq4 value = Freq4FromUnits(static_cast<uint32_t>(result.units));
  if (grid.EditCol == 1) {
    // Only a channel that was empty is started: a channel with a receive
    // frequency and no transmit frequency (a radio may hold one) keeps its
    // values.
    const bool wasEmpty = ch.empty();
    ch.rx = value;
    if (wasEmpty) {
      ApplyNewChannelDefaults(grid, grid.EditRow);
      result.outcome = FrequencyOutcome::NewChannel;
    }
  } else {
    ch.tx = value;
  }
  return result;
}

void ApplyNewChannelDefaults(ChannelGrid& grid, int row) {
  if (row < 1 || row > kChannelCount) return;
  Channel& ch = grid.channels[row - 1];
  auto& choice = grid.ChannelChoice[row - 1];
  ch.tx = ch.rx;
  ch.rxTone = Tone::Off();
  ch.txTone = Tone::Off();
  choice[0] = 0;
  choice[2] = 0;
  const int8_t defaults[4] = {1, 0, 1, 1};  // power high, forbid off, wide, scan add
  for (int col = 5; col <= 8; ++col) {
    ChoiceCell(ch, col) = defaults[col - 5];
    choice[col - 2] = defaults[col - 5];
  }
}

void ClearNO(ChannelGrid& grid, int row) {
  if (row < 1 || row > kChannelCount) return;
  grid.channels[row - 1] = Channel{};
  grid.ChannelChoice[row - 1].fill(0);
}

void ClearGrid(ChannelGrid& grid) {
  for (int row = 1; row <= kChannelCount; ++row) ClearNO(grid, row);
}

}  // namespace kv3
