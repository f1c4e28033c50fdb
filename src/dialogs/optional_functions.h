// The optional functions dialog: what its controls show of the shared
// values, what "确定" stores, and the rules of the priority lists.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "editor/codeplug_fields.h"
#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

// Entries of the dialog's lists.
inline constexpr int kPttIdCount = FieldOf("optionalFunctions.pttId").entry.count;  // Combo4
inline constexpr int kOffOnCount =
    FieldOf("optionalFunctions.voxFunction").entry.count;  // Combo6, Combo9, Combo10
inline constexpr int kVoxGainCount = FieldOf("optionalFunctions.voxGain").entry.count;    // Combo7
inline constexpr int kVoxDelayCount = FieldOf("optionalFunctions.voxDelay").entry.count;  // Combo8
// Combo11: "无", "固定", "选定"
inline constexpr int kPriorityModeCount = FieldOf("optionalFunctions.priority").entry.count;
inline constexpr int kPriorityFixed = 1;
inline constexpr int kReturnChannelCount =
    FieldOf("optionalFunctions.returnChannel").entry.count;  // Combo15

// The controls of the dialog as values: list positions (-1 is no selection),
// the two delay boxes' texts and the two check boxes.
struct OptionalFunctionsControls {
  int Combo4 = -1;      // PTT ID              OptionText(3)
  int Combo6 = -1;      // VOX function        OptionText(5)
  int Combo7 = -1;      // VOX gain            OptionText(6)
  int Combo8 = -1;      // VOX delay           OptionText(7)
  int Combo9 = -1;      // VOX tone            OptionText(8)
  int Combo10 = -1;     // duplicate           OptionText(9)
  int Combo11 = -1;     // priority mode       OptionText(10)
  int Combo12 = -1;     // priority channel    OptionText(11) - 1
  int Combo13 = -1;     // retrace time A      OptionText(12)
  int Combo14 = -1;     // retrace time B      OptionText(13)
  int Combo15 = -1;     // return channel      OptionText(14)
  std::string Text5;    // scan receive delay  OptionText(18)
  std::string Text6;    // scan transmit delay OptionText(19)
  bool Check3 = false;  // cancel operation  OptionText(22)
  bool Check4 = false;  // no VOX on receive OptionText(23)

  friend bool operator==(const OptionalFunctionsControls&,
                         const OptionalFunctionsControls&) = default;
};

// What the controls show of the shared values. A value that names no entry
// of its list selects nothing; an unset delay shows "0", which is what the
// radio is given for it.
OptionalFunctionsControls ControlsFromShared(const SharedValues& shared);

// A scan delay box: a whole number of seconds, 0..300, blanks around allowed.
bool ParseScanDelay(std::string_view text, int& seconds);

enum class OptionalFunctionsStore {
  Stored,
  BadReceiveDelay,   // Text5 refused, nothing stored
  BadTransmitDelay,  // Text6 refused, nothing stored
};

// "确定": every list with a selection into the value it was filled from (a
// list without selection leaves its value), the delays as decimal texts and
// the check boxes as "0" or "1". The DTMF values are left as they are.
OptionalFunctionsStore StoreOptionalFunctions(const OptionalFunctionsControls& controls,
                                              SharedValues& shared);

// The message for a refused delay box, naming the box.
std::string ScanDelayMessage(OptionalFunctionsStore refusal, Language lang);

// The first channel (1..16) whose receive frequency is set, 0 when none is.
int FirstProgrammedChannel(const ChannelGrid& grid);

enum class PriorityMessage { None, FixedNeedsChannel, EmptyChannelChosen };

struct PriorityOutcome {
  int Combo11 = -1;  // the priority mode to show
  int Combo12 = -1;  // the priority channel to show (-1: leave it as it is)
  PriorityMessage message = PriorityMessage::None;
};

// A selection of the priority mode. "固定" picks the first programmed channel
// and remembers it in FixedPriorityChannel; without one it is refused with a
// message and the mode returns to "无".
PriorityOutcome PriorityModeChosen(int mode, const ChannelGrid& grid, int& FixedPriorityChannel);

// A selection of the priority channel (list position). While the mode is
// "固定" an empty channel is refused with a message and the remembered fixed
// channel is shown again.
PriorityOutcome PriorityChannelChosen(int mode, int channelPosition, const ChannelGrid& grid,
                                      int FixedPriorityChannel);

}  // namespace kv3
