#include "editor/band_rules.h"

#include "editor/band.h"
#include "editor/frequency_entry.h"

namespace kv3 {

namespace {
void TakeLimits(BandSelection& band) {
  band.BandLowLimit = BandLowLimitOf(band.index);
  band.BandHighLimit = BandHighLimitOf(band.index);
}
}  // namespace

void OnBandListOpened(BandSelection& band) {
  band.ConfirmedBandIndex = band.index;
}

BandChange SelectBand(EditorState& state, int index) {
  if (index < 0 || index >= kBandCount) return BandChange::Invalid;
  BandSelection& band = state.band;
  band.index = index;
  TakeLimits(band);
  return index == band.ConfirmedBandIndex ? BandChange::Unchanged : BandChange::QuestionNeeded;
}

void AnswerBandQuestion(EditorState& state, bool ok) {
  BandSelection& band = state.band;
  if (ok) {
    TakeLimits(band);
    ClearGrid(state.grid);
    band.ConfirmedBandIndex = band.index;
  } else {
    // Selecting the confirmed band again asks nothing and restores its limits.
    band.index = band.ConfirmedBandIndex;
    TakeLimits(band);
  }
}

}  // namespace kv3
