#include "editor/editor_state.h"

#include "editor/band.h"

namespace kv3 {

void ResetDefaults(EditorState& state) {
  SharedValues& s = state.shared;
  for (int k = 0; k < 8; ++k) s.DtmfMemoryCodes[k] = std::string(1, static_cast<char>('1' + k));
  for (int k = 0; k <= 14; ++k) s.OptionText[k] = "1";
  s.OptionText[10] = "0";
  s.OptionText[16] = "1";
  s.OptionText[17] = "2";
  for (int k = 20; k <= 23; ++k) s.OptionText[k] = "1";
  s.OptionIndex = {0, 1, 0, 1, 1, 1, 0, 0};
  state.settings = FunctionSettings{};
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
