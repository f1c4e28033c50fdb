// Receive and transmit tones: off, CTCSS in tenths of a hertz, or DCS with a
// polarity; the 261-entry tone list that the tone editor offers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv3 {

enum class ToneKind : uint8_t {
  Blank,  // an empty cell (an empty channel, or no TX frequency)
  Off,    // the first entry of the tone list ("关闭" / "Off")
  Ctcss,  // value: tenths of a hertz (885 is 88.5 Hz)
  Dcs,    // value: the code as a 9-bit number (octal 023 is 19)
};

struct Tone {
  ToneKind kind = ToneKind::Blank;
  uint16_t value = 0;
  bool inverted = false;  // DCS only: "I" instead of "N"

  static Tone Blank() { return {}; }
  static Tone Off() { return {ToneKind::Off, 0, false}; }
  static Tone Ctcss(uint16_t tenths) { return {ToneKind::Ctcss, tenths, false}; }
  static Tone Dcs(uint16_t code, bool inverted) { return {ToneKind::Dcs, code, inverted}; }

  bool IsSet() const { return kind == ToneKind::Ctcss || kind == ToneKind::Dcs; }
  friend bool operator==(const Tone&, const Tone&) = default;
};

inline constexpr int kToneListSize = 261;
inline constexpr int kCtcssCount = 50;
inline constexpr int kDcsCount = 105;

// The 50 CTCSS tones in tenths of a hertz, in list order.
extern const std::array<uint16_t, kCtcssCount> kCtcssTones;
// The 105 DCS codes as 9-bit numbers (octal digits), in list order.
extern const std::array<uint16_t, kDcsCount> kDcsCodes;

// Tone at a list position (0 is off, 1..50 CTCSS, 51..155 DCS N, 156..260 DCS I).
Tone ToneAt(int position);
// Position of a tone in the list, or -1 when the list does not hold it.
int TonePosition(const Tone& tone);

// The cell text of a set tone: "88.5", "D023N". Off and blank give "".
std::string SetToneText(const Tone& tone);

// The image's tone word: FF FF for off and blank, the tenths for CTCSS,
// 0x2800 + code (normal) or 0xA800 + code (inverted) for DCS.
uint16_t ToneWord(const Tone& tone);
// The tone of a word; FF FF gives off (or blank when blankWhenOff is set).
Tone ToneFromWord(uint16_t word, bool blankWhenOff);

}  // namespace kv3
