#include "codeplug/codec.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/band.h"
#include "editor/codeplug_fields.h"
#include "image/hex.h"

namespace kv3 {

namespace {

uint8_t ClampByte(double v) {
  if (!(v > 0)) return 0;  // also NaN
  if (v >= 255) return 255;
  return static_cast<uint8_t>(std::nearbyint(v));
}

uint16_t ClampWord(double v) {
  if (!(v > 0)) return 0;
  if (v >= 65535) return 65535;
  return static_cast<uint16_t>(std::nearbyint(v));
}

void PutFreq(MemoryImage& img, int address, const Freq4& f) {
  for (int i = 0; i < 4; ++i) img[At(address + i)] = f.bytes[i];
}

Freq4 GetFreq(std::span<const uint8_t> img, int address) {
  Freq4 f;
  for (int i = 0; i < 4; ++i) f.bytes[i] = img[At(address + i)];
  return f;
}

void PutWord(MemoryImage& img, int address, uint16_t w) {
  img[At(address)] = static_cast<uint8_t>(w & 0xFF);
  img[At(address + 1)] = static_cast<uint8_t>(w >> 8);
}

uint16_t GetWord(std::span<const uint8_t> img, int address) {
  return static_cast<uint16_t>(img[At(address)] | img[At(address + 1)] << 8);
}

void PutAscii(MemoryImage& img, int address, std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) img[At(address) + i] = static_cast<uint8_t>(s[i]);
}

uint8_t BandCode(int index) {
  if (index < 0 || index >= kBandCount) index = 0;
  return kBands[index].code;
}

// A field of the table into the image, by its encoding.
[[gnu::always_inline]] inline void PutField(const EditorState& state, const FieldRef& field,
                                            MemoryImage& img) {
  const FieldRow& row = *field.row;
  const int address = field.Address();
  uint8_t& byte = img[At(address)];
  switch (row.image.encoding) {
    case Encoding::U8:
      byte = ClampByte(HeldNumber(state, field));
      break;
    case Encoding::Tens:  // integer division truncates toward zero
      byte = ClampByte(static_cast<int>(HeldNumber(state, field)) / 10);
      break;
    case Encoding::DigitCharacter: {
      int v = static_cast<int>(HeldNumber(state, field));
      byte = v == 0 ? uint8_t{0} : static_cast<uint8_t>(std::to_string(v)[0]);
      break;
    }
    case Encoding::PositionPlusOne:
      byte = ClampByte(HeldNumber(state, field) + 1);
      break;
    case Encoding::TopBit:
      byte = HeldNumber(state, field) != 0 ? 0xFF : 0x7F;
      break;
    case Encoding::EmptyAsFF: {
      double v = HeldNumber(state, field);
      byte = v == 0 ? uint8_t{0xFF} : ClampByte(v);
      break;
    }
    case Encoding::U16le:
      PutWord(img, address, ClampWord(HeldNumber(state, field)));
      break;
    case Encoding::Freq4:
      PutFreq(img, address, FieldFrequency(state, field));
      break;
    case Encoding::Text:
    case Encoding::Bytes:
      PutTextField(img, address, row.image.size, FieldBytes(state, field));
      break;
    case Encoding::DtmfCode: {
      const std::string& code = FieldBytes(state, field);
      for (int i = 0; i < row.image.size; ++i) {
        uint8_t b = 0xFF;
        if (i < static_cast<int>(code.size()))
          b = code[i] == '0' ? 0x3A : static_cast<uint8_t>(code[i]);
        img[At(address + i)] = b;
      }
      break;
    }
    case Encoding::BandCode:
      byte = BandCode(state.band.index);
      img[At(addr::kBandCodeAgain)] = byte;
      break;
  }
}

// The value a whole-number field's bytes stand for, nullopt when the
// encoding gives none.
[[gnu::always_inline]] inline std::optional<int> ReadValue(std::span<const uint8_t> img,
                                                           const FieldRef& field) {
  const int address = field.Address();
  const uint8_t b = img[At(address)];
  switch (field.row->image.encoding) {
    case Encoding::U8:
      return b;
    case Encoding::Tens:
      return b * 10;
    case Encoding::DigitCharacter:
      if (b == 0x00 || b == 0xFF) return 0;
      if (b >= '0' && b <= '9') return b - '0';
      return std::nullopt;
    case Encoding::PositionPlusOne:
      return b - 1;
    case Encoding::TopBit:
      return b >> 7;
    case Encoding::EmptyAsFF:
      return b == 0xFF ? 0 : b;
    case Encoding::U16le:
      return GetWord(img, address);
    case Encoding::BandCode:
      return BandIndexOfCode(b);
    default:
      return std::nullopt;
  }
}

// A field of the image into the editor; a whole number outside the range
// the decoder takes leaves the editor's value.
[[gnu::always_inline]] inline void TakeField(std::span<const uint8_t> img, const FieldRef& field,
                                             EditorState& state) {
  const FieldRow& row = *field.row;
  const int address = field.Address();
  switch (row.image.encoding) {
    case Encoding::Freq4:
      FieldFrequency(state, field) = GetFreq(img, address);
      return;
    case Encoding::Bytes: {
      std::string& bytes = FieldBytes(state, field);
      bytes.assign(reinterpret_cast<const char*>(&img[At(address)]), row.image.size);
      return;
    }
    case Encoding::Text:
    case Encoding::DtmfCode: {
      std::string& text = FieldBytes(state, field);
      text.clear();
      for (int i = 0; i < row.image.size; ++i) {
        uint8_t b = img[At(address + i)];
        if (b == 0xFF) continue;
        text.push_back(
            b == 0x3A && row.image.encoding == Encoding::DtmfCode ? '0' : static_cast<char>(b));
      }
      return;
    }
    default:
      break;
  }
  std::optional<int> v = ReadValue(img, field);
  if (!v || *v < row.image.decode.lo || *v > row.image.decode.hi) return;
  SetFieldValue(state, field, *v);
}

// The bytes no editor value feeds.
struct FixedBytes {
  int address;
  std::string_view bytes;
};
constexpr FixedBytes kFixedBytes[] = {
    {addr::kFixedZero, std::string_view("\x00", 1)},
    {addr::kIdentWord, "MZP48"},
    {addr::kIdentEnd, "\xF8"},
    {addr::kModelName, "LRNA614"},
    {addr::kFixedDigits, "60905626"},
    {addr::kFixedRun, "\x88\x88\x88\x88\x88\x88\x88\x88"},
};

// Every row of the table, unrolled when the program is compiled: each
// field's address, encoding and holder are constants, so the loop folds to
// the loads and stores a hand-written codec would make.
template <size_t I>
[[gnu::always_inline]] inline void PutRow(const EditorState& state, MemoryImage& img) {
  constexpr const FieldRow& row = kFieldRows[I];
  for (int n = 1; n <= row.repeat.count; ++n) PutField(state, FieldRef{&row, n}, img);
}
template <size_t... I>
void PutRows(const EditorState& state, MemoryImage& img, std::index_sequence<I...>) {
  (PutRow<I>(state, img), ...);
}
template <size_t I>
[[gnu::always_inline]] inline void TakeRow(std::span<const uint8_t> img, EditorState& state) {
  constexpr const FieldRow& row = kFieldRows[I];
  for (int n = 1; n <= row.repeat.count; ++n) TakeField(img, FieldRef{&row, n}, state);
}
template <size_t... I>
void TakeRows(std::span<const uint8_t> img, EditorState& state, std::index_sequence<I...>) {
  (TakeRow<I>(img, state), ...);
}
constexpr auto kRowIndices = std::make_index_sequence<kFieldRows.size()>();

}  // namespace

MemoryImage EncodeImage(const EditorState& state) {
  MemoryImage img;
  img.fill(0xFF);

  for (int n = 0; n < kChannelCount; ++n) {
    const Channel& ch = state.grid.channels[n];
    int base = addr::kChannels + addr::kChannelSize * n;
    PutFreq(img, base + record::kRx, ch.rx);
    PutFreq(img, base + record::kTx, ch.tx);
    PutWord(img, base + record::kRxTone, ToneWord(ch.rxTone));
    PutWord(img, base + record::kTxTone, ToneWord(ch.txTone));
    img[At(base + record::kForbid)] = ch.forbid == 0 ? 0xF0 : 0xF8;
    uint8_t b13 = 0xC0;
    if (ch.power != 0) b13 |= record::kPowerBit;
    if (ch.bandwidth != 0) b13 |= record::kBandwidthBit;
    img[At(base + record::kPowerBandwidth)] = b13;
    img[At(base + record::kFixedFC)] = 0xFC;
    img[At(base + record::kFixedFF)] = 0xFF;
  }

  // Scan bitmaps: channel 1 in bit 0 of 382, channel 9 in bit 0 of 383.
  uint8_t scanLo = 0, scanHi = 0;
  for (int n = 0; n < kChannelCount; ++n) {
    if (state.grid.channels[n].scan != 1) continue;
    if (n < 8)
      scanLo |= static_cast<uint8_t>(1 << n);
    else
      scanHi |= static_cast<uint8_t>(1 << (n - 8));
  }
  img[At(addr::kScanBitmap)] = scanLo;
  img[At(addr::kScanBitmap + 1)] = scanHi;

  PutRows(state, img, kRowIndices);
  for (const FixedBytes& fixed : kFixedBytes) PutAscii(img, fixed.address, fixed.bytes);
  return img;
}

std::string EncodeImageHex(const EditorState& state) {
  MemoryImage img = EncodeImage(state);
  return BytesToHexText(img);
}

bool DecodeImage(std::span<const uint8_t> img, EditorState& state) {
  if (img.size() < kImageDecodeMinimum) return false;
  SharedValues& s = state.shared;
  ChannelGrid& grid = state.grid;
  auto byte = [&](int address) { return img[At(address)]; };

  s.TuningUnlocked = 0;

  for (int n = 0; n < kChannelCount; ++n) {
    int base = addr::kChannels + addr::kChannelSize * n;
    Channel& ch = grid.channels[n];
    auto& choice = grid.ChannelChoice[n];
    Freq4 rx = GetFreq(img, base + record::kRx);
    if (rx.blank()) {
      ch = Channel{};
      continue;
    }
    ch.rx = rx;
    ch.tx = GetFreq(img, base + record::kTx);
    uint16_t rxWord = GetWord(img, base + record::kRxTone);
    ch.rxTone = ToneFromWord(rxWord, false);
    if (rxWord == 0xFFFF) choice[0] = 0;
    uint16_t txWord = GetWord(img, base + record::kTxTone);
    ch.txTone = ToneFromWord(txWord, ch.tx.blank());
    if (txWord == 0xFFFF) choice[2] = 0;
    uint8_t forbid = byte(base + record::kForbid);
    uint8_t powerBandwidth = byte(base + record::kPowerBandwidth);
    ch.forbid = (forbid & record::kForbidBit) ? 1 : 0;
    choice[4] = ch.forbid;
    ch.bandwidth = (powerBandwidth & record::kBandwidthBit) ? 1 : 0;
    choice[5] = ch.bandwidth;
    ch.power = (powerBandwidth & record::kPowerBit) ? 1 : 0;
    choice[3] = ch.power;
  }

  for (int n = 0; n < kChannelCount; ++n) {
    Channel& ch = grid.channels[n];
    if (ch.empty()) {
      ch.scan = kBlankChoice;
      continue;
    }
    uint8_t bits = byte(addr::kScanBitmap + n / 8);
    ch.scan = static_cast<int8_t>((bits >> (n % 8)) & 1);
    grid.ChannelChoice[n][6] = ch.scan;
  }

  // The band is selected without a question: ConfirmedBandIndex follows it.
  TakeRows(img, state, kRowIndices);
  return true;
}

bool HasUnknownBandCode(std::span<const uint8_t> image) {
  return image.size() > At(addr::kBandCode) && BandIndexOfCode(image[At(addr::kBandCode)]) < 0;
}

std::string BandCodeText(std::span<const uint8_t> image) {
  if (image.size() <= At(addr::kBandCode)) return "?";
  return "0x" + HexByte(image[At(addr::kBandCode)]);
}

bool DecodeImage(std::string_view hexText, EditorState& state) {
  if (hexText.size() < 2 * kImageDecodeMinimum) return false;
  size_t count = std::min(hexText.size() / 2, kImageSize);
  MemoryImage bytes;
  static constexpr auto kDigitValue = [] {
    std::array<int8_t, 256> t{};
    t.fill(-1);
    for (int c = '0'; c <= '9'; ++c) t[c] = static_cast<int8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) t[c] = static_cast<int8_t>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c) t[c] = static_cast<int8_t>(c - 'a' + 10);
    return t;
  }();
  int bad = 0;
  for (size_t i = 0; i < count; ++i) {
    int hi = kDigitValue[static_cast<uint8_t>(hexText[2 * i])];
    int lo = kDigitValue[static_cast<uint8_t>(hexText[2 * i + 1])];
    bad |= hi | lo;  // a negative value sets the sign bit
    bytes[i] = static_cast<uint8_t>((hi & 15) << 4 | (lo & 15));
  }
  if (bad < 0) return false;
  return DecodeImage(std::span<const uint8_t>(bytes.data(), count), state);
}

}  // namespace kv3
