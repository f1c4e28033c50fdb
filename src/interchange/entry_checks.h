// The editor's rules, as the import formats apply them to one value at a
// time: a refused value gets a reason, an accepted one the value the editor
// would store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"

namespace kv3 {

struct FrequencyCheck {
  uint32_t units = 0;   // 10 Hz units, as the editor stores it
  std::string refusal;  // empty when accepted
};

// A frequency in MHz ("438.125", "438.125000") for a channel of the band in
// force: a number, inside the band, on the channel raster.
FrequencyCheck CheckChannelFrequency(const BandSelection& band, std::string_view mhz);
// The same for a frequency already in 10 Hz units.
std::string CheckChannelFrequencyUnits(const BandSelection& band, int64_t units);

struct ToneCheck {
  Tone tone;
  std::string refusal;
};

// A CTCSS tone in Hz ("88.5").
ToneCheck CheckCtcssTone(std::string_view hz);
// A DCS code of three octal digits ("023") with its polarity.
ToneCheck CheckDcsCode(std::string_view code, bool inverted);

// A decimal number in MHz to 10 Hz units, rounded as the editor rounds a
// typed frequency; nullopt when the text is not a plain decimal number.
std::optional<int64_t> ParseMegahertz(std::string_view mhz);

// "438.125000" for 43812500 units (six decimals).
std::string MegahertzText(int64_t units);

// A value of a codeplug that the editor's windows would not take as it is:
// the value kept exactly (a radio's memory may hold it), but a user should
// hear of it before it is written to a radio.
struct RuleFinding {
  std::string field;   // "channel 3 rxFrequency", "embeddedInfo[0]"
  std::string value;   // as the JSON export shows it, control characters escaped
  std::string reason;  // in English
};

// Every such value of a codeplug, by the rules of the grid's editors (band,
// raster, tones), of the test frequency dialog, of the optional functions
// dialog (DTMF codes and delay, the fixed priority channel) and of the
// embedded information dialog (printable Latin-1 only).
std::vector<RuleFinding> CheckEditorRules(const EditorState& state);

// A text for a terminal: control characters (C0, DEL, C1) and backslashes
// as \xNN escapes and "\\"; everything else as it is.
std::string EscapeControls(std::string_view utf8);

}  // namespace kv3
