// The seven frequency bands of the band list Combo1.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kv3 {

struct Band {
  std::string_view text;  // the list entry, the same in every language
  uint8_t code;           // the band code of the memory image
};

inline constexpr int kBandCount = 7;
inline constexpr std::array<Band, kBandCount> kBands = {{
    {"400-480MHz", 0x33},
    {"450-490MHz", 0x21},
    {"400-430MHz", 0x43},
    {"370-390MHz", 0x63},
    {"350-370MHz", 0x53},
    {"136-174MHz", 0x01},
    {"600-720MHz", 0x73},
}};

// Position of a band code in the list, -1 when the code is unknown.
int BandIndexOfCode(uint8_t code);

// Limits in whole MHz, read from the entry text (characters 1-3 and 5-7).
int BandLowLimitOf(int index);
int BandHighLimitOf(int index);

}  // namespace kv3
