// Conversion helpers shared by the codec, the file commands, the radio link
// and the frequency entry.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv3 {

// Upper-case hex text of value rounded to an integer; one digit gets a "0" in
// front. Values above 255 give three or more digits.
std::string HexByte(double value);

// Upper-case hex text, left-padded with "0" to at least four digits; a
// negative number gives its 16-bit two's complement.
std::string HexWord(int16_t value);

// Each hex digit becomes four binary digits; a non-hex character gives "0000".
std::string HexToBin(std::string_view hex);

// Left-pads bin itself with "0" to a multiple of four, then turns each group
// of four into one hex digit (a character counts only when it is "1").
std::string BinToHex(std::string& bin);

// Moves a frequency text with five decimals ("438.12345") down onto the
// 5 kHz or 6.25 kHz raster and returns it in MHz.
double SnapToChannelStep(std::string_view frequencyText);

// The same rule on a frequency in units of 10 Hz.
int64_t SnapToChannelStep10Hz(int64_t units);

// Remainder of v divided by d (both in MHz): v when v < d, 0 when v / d is a
// whole number, otherwise v - k*d for the smallest k with v - k*d < d.
double FrequencyRemainder(double d, double v);

// The bytes of a hex text (pairs of digits) into out; false, with out
// unspecified, when the text holds a character that is not a hex digit or an
// odd number of digits.
[[nodiscard]] bool HexTextToBytes(std::string_view hex, std::vector<uint8_t>& out);
std::string BytesToHexText(std::span<const uint8_t> bytes);

// Visual Basic's Val: the leading number of a text ("12abc" is 12, "" is 0).
double Val(std::string_view text);

}  // namespace kv3
