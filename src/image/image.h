// The 848-byte memory image: radio addresses 16..863, with named fields.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv3 {

inline constexpr size_t kImageSize = 848;
inline constexpr int kImageFirstAddress = 16;
inline constexpr int kImageLastAddress = 863;
// The decoder needs the image through address 831.
inline constexpr size_t kImageDecodeMinimum = 832 - kImageFirstAddress;

using MemoryImage = std::array<uint8_t, kImageSize>;

// Index into the image of a radio address.
constexpr size_t At(int address) {
  return static_cast<size_t>(address - kImageFirstAddress);
}

namespace addr {
inline constexpr int kChannels = 16;  // 16 records of 16 bytes
inline constexpr int kChannelSize = 16;
inline constexpr int kDtmfRate = 272;         // OptionIndex(0)
inline constexpr int kFirstDigitTime = 273;   // OptionIndex(1)
inline constexpr int kFirstDigitDelay = 274;  // OptionIndex(2), in tens of ms
inline constexpr int kStarHashTone = 275;     // OptionIndex(3)
inline constexpr int kDKey = 276;             // OptionIndex(4)
inline constexpr int kDtmfSideTone = 277;     // OptionIndex(5)
inline constexpr int kGroupCall = 278;        // OptionIndex(6), as a digit character
inline constexpr int kAutoReset = 279;        // OptionIndex(7)
inline constexpr int kPf1Key = 285;
inline constexpr int kPf2Key = 286;
inline constexpr int kOptionText15 = 288;  // text-10
inline constexpr int kVoicePrompt = 303;   // Combo2
inline constexpr int kTxTimeout = 304;     // Combo3 + 1
inline constexpr int kPreAlert = 305;      // Combo4
inline constexpr int kPttId = 306;         // OptionText(3)
inline constexpr int kFixedZero = 307;
inline constexpr int kSquelch = 308;          // Combo9
inline constexpr int kBatterySave = 309;      // Combo6
inline constexpr int kBeep = 310;             // Combo7
inline constexpr int kCancelOperation = 311;  // OptionText(22)
inline constexpr int kRxBlocksVox = 312;      // OptionText(23)
inline constexpr int kVoxFunction = 313;      // OptionText(5)
inline constexpr int kVoxGain = 314;          // OptionText(6)
inline constexpr int kVoxDelay = 315;         // OptionText(7)
inline constexpr int kVoxTone = 316;          // OptionText(8)
inline constexpr int kDuplicate = 318;        // OptionText(9), bit 7
inline constexpr int kOptionText16 = 320;     // text-16
inline constexpr int kOptionText17 = 336;     // text-16
inline constexpr int kPriority = 352;         // OptionText(10)
inline constexpr int kPriorityChannel = 353;  // OptionText(11)
inline constexpr int kRetraceA = 354;         // OptionText(12)
inline constexpr int kRetraceB = 355;         // OptionText(13)
inline constexpr int kReturnChannel = 356;    // OptionText(14)
inline constexpr int kScanRxDelay = 357;      // OptionText(18), u16le
inline constexpr int kScanTxDelay = 359;      // OptionText(19), u16le
inline constexpr int kScanBitmap = 382;       // 382, 383
inline constexpr int kTxPowerHigh = 387;
inline constexpr int kTxPowerLow = 392;
inline constexpr int kIdentWord = 440;  // "MZP48"
inline constexpr int kBandCode = 445;
inline constexpr int kIdentEnd = 446;         // 0xF8
inline constexpr int kDtmfCodes = 512;        // 8 x 16
inline constexpr int kTestFrequencies = 640;  // 16 x 8
inline constexpr int kEmbeddedInfo = 768;     // 2 x 32
inline constexpr int kModelName = 832;        // "LRNA614"
inline constexpr int kBandCodeAgain = 844;
inline constexpr int kFixedDigits = 848;  // "60905626"
inline constexpr int kFixedRun = 856;     // 8 x 0x88
}  // namespace addr

// The sixteen bytes of a channel record, by their offset from its start.
namespace record {
inline constexpr int kRx = 0;               // freq4; FF FF FF FF is an empty channel
inline constexpr int kTx = 4;               // freq4
inline constexpr int kRxTone = 8;           // tone2
inline constexpr int kTxTone = 10;          // tone2
inline constexpr int kForbid = 12;          // 0xF0, or 0xF8 with the forbid bit
inline constexpr int kPowerBandwidth = 13;  // 0xC0 with the power and bandwidth bits
inline constexpr int kFixedFC = 14;         // 0xFC
inline constexpr int kFixedFF = 15;         // 0xFF
inline constexpr uint8_t kForbidBit = 0x08;
inline constexpr uint8_t kPowerBit = 0x20;
inline constexpr uint8_t kBandwidthBit = 0x10;
}  // namespace record

// Sizes of the text fields.
inline constexpr int kDtmfCodeSize = 16;
inline constexpr int kEmbeddedInfoSize = 32;

// A frequency field: four bytes, lowest address first, packed BCD of the
// frequency in units of 10 Hz. FF FF FF FF is no frequency. The bytes are kept
// as read, so a field that is not BCD survives a round trip unchanged.
struct Freq4 {
  std::array<uint8_t, 4> bytes{0xFF, 0xFF, 0xFF, 0xFF};

  bool blank() const { return bytes == std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}; }
  friend bool operator==(const Freq4&, const Freq4&) = default;
};

inline constexpr Freq4 kNoFrequency{};

// Frequency in 10 Hz units (0..99 999 999) to its field.
Freq4 Freq4FromUnits(uint32_t units);
// The field as a number of 10 Hz units; -1 when a byte is not BCD or blank.
int64_t Freq4ToUnits(const Freq4& f);
// "438.12500" for 00 25 81 43; empty text for a blank field. A byte that is
// not BCD shows its hex letters.
std::string FrequencyText(const Freq4& f);
// The field of a nine-character frequency text ("438.12500"), byte pairs
// taken as hex digits; a blank text gives the blank field.
Freq4 Freq4FromText(std::string_view text);

// Text fields: one byte per character; 0xFF after the last character.
// Texts are held as byte strings (one char per image byte).
void PutTextField(MemoryImage& image, int address, int size, std::string_view text);
// The bytes that are not 0xFF, in order.
std::string GetTextField(const MemoryImage& image, int address, int size);

// Texts held as byte strings are shown as Latin-1 (0x20..0x7E are ASCII).
std::string Latin1ToUtf8(std::string_view bytes);
// The byte string of a UTF-8 text; false when a character has no single byte.
[[nodiscard]] bool Utf8ToLatin1(std::string_view utf8, std::string& out);

}  // namespace kv3
