// The editor's rules, as the import formats apply them to one value at a
// time: a refused value gets a reason, an accepted one the value the editor
// would store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace kv3
