#include "editor/editor_state.h"

#include "editor/band.h"
#include "editor/codeplug_fields.h"

namespace kv3 {

void ResetDefaults(EditorState& state) {
  SharedValues& s = state.shared;
  for (int k = 0; k < 8; ++k) s.DtmfMemoryCodes[k] = std::string(1, static_cast<char>('1' + k));
  ApplyStartupValues(state);
}

EditorState StartupState() {
  EditorState state;
  state.shared.TxPowerHighLevel = 208;
  state.shared.TxPowerLowLevel = 92;
  state.shared.TuningUnlocked = 0;
  state.band.ConfirmedBandIndex = 0;
  SelectBandSilently(state.band, 0);
  state.shared.Pf1KeyFunction = 10;
  ResetDefaults(state);
  return state;
}

void SelectBandSilently(BandSelection& band, int index) {
  if (index < 0 || index >= kBandCount) return;
  band.ConfirmedBandIndex = index;
  band.index = index;
  band.BandLowLimit = BandLowLimitOf(index);
  band.BandHighLimit = BandHighLimitOf(index);
}

}  // namespace kv3
