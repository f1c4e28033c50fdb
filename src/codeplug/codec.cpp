#include "codeplug/codec.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "editor/band.h"
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

uint8_t ValByte(const std::string& text) {
  return ClampByte(Val(text));
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

std::string Decimal(int v) {
  return std::to_string(v);
}

// Decoder helpers: take a byte into a value only when it lies in range.
bool InRange(uint8_t b, int lo, int hi) {
  return b >= lo && b <= hi;
}

}  // namespace

MemoryImage EncodeImage(const EditorState& state) {
  MemoryImage img;
  img.fill(0xFF);
  const SharedValues& s = state.shared;

  // Channel records.
  for (int n = 0; n < kChannelCount; ++n) {
    const Channel& ch = state.grid.channels[n];
    int base = addr::kChannels + addr::kChannelSize * n;
    PutFreq(img, base, ch.rx);
    PutFreq(img, base + 4, ch.tx);
    PutWord(img, base + 8, ToneWord(ch.rxTone));
    PutWord(img, base + 10, ToneWord(ch.txTone));
    img[At(base + 12)] = ch.forbid == 0 ? 0xF0 : 0xF8;
    uint8_t b13 = 0xC0;
    if (ch.power != 0) b13 |= 0x20;
    if (ch.bandwidth != 0) b13 |= 0x10;
    img[At(base + 13)] = b13;
    img[At(base + 14)] = 0xFC;
    img[At(base + 15)] = 0xFF;
  }

  // Options 272..279.
  const auto& oi = s.OptionIndex;
  img[At(272)] = ClampByte(oi[0]);
  img[At(273)] = ClampByte(oi[1]);
  img[At(274)] = ClampByte(oi[2] / 10);  // integer division truncates toward zero
  img[At(275)] = ClampByte(oi[3]);
  img[At(276)] = ClampByte(oi[4]);
  img[At(277)] = ClampByte(oi[5]);
  img[At(278)] = oi[6] == 0 ? uint8_t{0} : static_cast<uint8_t>(Decimal(oi[6])[0]);
  img[At(279)] = ClampByte(oi[7]);

  img[At(addr::kPf1Key)] = ClampByte(s.Pf1KeyFunction);
  img[At(addr::kPf2Key)] = ClampByte(s.Pf2KeyFunction);
  PutTextField(img, addr::kOptionText15, 10, s.OptionText[15]);

  const FunctionSettings& fs = state.settings;
  const auto& ot = s.OptionText;
  img[At(addr::kVoicePrompt)] = ClampByte(fs.voicePrompt);
  img[At(addr::kTxTimeout)] = ClampByte(fs.txTimeout + 1);
  img[At(addr::kPreAlert)] = ClampByte(fs.preAlert);
  img[At(addr::kPttId)] = ValByte(ot[3]);
  img[At(addr::kFixedZero)] = 0x00;
  img[At(addr::kSquelch)] = ClampByte(fs.squelch);
  img[At(addr::kBatterySave)] = ClampByte(fs.batterySave);
  img[At(addr::kBeep)] = ClampByte(fs.beep);
  img[At(addr::kCancelOperation)] = ValByte(ot[22]);
  img[At(addr::kRxBlocksVox)] = ValByte(ot[23]);
  img[At(addr::kVoxFunction)] = ValByte(ot[5]);
  img[At(addr::kVoxGain)] = ValByte(ot[6]);
  img[At(addr::kVoxDelay)] = ValByte(ot[7]);
  img[At(addr::kVoxTone)] = ValByte(ot[8]);
  // The duplicate flag lives in bit 7; bits 6..0 are set.
  img[At(addr::kDuplicate)] = Val(ot[9]) != 0 ? 0xFF : 0x7F;

  PutTextField(img, addr::kOptionText16, 16, ot[16]);
  PutTextField(img, addr::kOptionText17, 16, ot[17]);

  img[At(addr::kPriority)] = ValByte(ot[10]);
  img[At(addr::kPriorityChannel)] = ValByte(ot[11]);
  img[At(addr::kRetraceA)] = Val(ot[12]) == 0 ? uint8_t{0xFF} : ValByte(ot[12]);
  img[At(addr::kRetraceB)] = Val(ot[13]) == 0 ? uint8_t{0xFF} : ValByte(ot[13]);
  img[At(addr::kReturnChannel)] = ValByte(ot[14]);
  PutWord(img, addr::kScanRxDelay, ClampWord(Val(ot[18])));
  PutWord(img, addr::kScanTxDelay, ClampWord(Val(ot[19])));

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

  img[At(addr::kTxPowerHigh)] = ClampByte(s.TxPowerHighLevel);
  img[At(addr::kTxPowerLow)] = ClampByte(s.TxPowerLowLevel);

  uint8_t band = BandCode(state.band.index);
  PutAscii(img, addr::kIdentWord, "MZP48");
  img[At(addr::kBandCode)] = band;
  img[At(446)] = 0xF8;

  for (int k = 0; k < 8; ++k) {
    const std::string& code = s.DtmfMemoryCodes[k];
    int base = addr::kDtmfCodes + 16 * k;
    for (int i = 0; i < 16; ++i) {
      uint8_t b = 0xFF;
      if (i < static_cast<int>(code.size()))
        b = code[i] == '0' ? 0x3A : static_cast<uint8_t>(code[i]);
      img[At(base + i)] = b;
    }
  }

  for (int t = 0; t < kChannelCount; ++t) {
    PutFreq(img, addr::kTestFrequencies + 8 * t, s.TestFrequencyTable[t][0]);
    PutFreq(img, addr::kTestFrequencies + 8 * t + 4, s.TestFrequencyTable[t][1]);
  }
  PutTextField(img, addr::kEmbeddedInfo, 32, s.EmbeddedInfoText[0]);
  PutTextField(img, addr::kEmbeddedInfo + 32, 32, s.EmbeddedInfoText[1]);

  PutAscii(img, addr::kModelName, "LRNA614");
  img[At(addr::kBandCodeAgain)] = band;
  PutAscii(img, addr::kFixedDigits, "60905626");
  for (int i = 0; i < 8; ++i) img[At(addr::kFixedRun + i)] = 0x88;
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
    Freq4 rx = GetFreq(img, base);
    if (rx.blank()) {
      ch = Channel{};
      continue;
    }
    ch.rx = rx;
    ch.tx = GetFreq(img, base + 4);
    uint16_t rxWord = GetWord(img, base + 8);
    ch.rxTone = ToneFromWord(rxWord, false);
    if (rxWord == 0xFFFF) choice[0] = 0;
    uint16_t txWord = GetWord(img, base + 10);
    ch.txTone = ToneFromWord(txWord, ch.tx.blank());
    if (txWord == 0xFFFF) choice[2] = 0;
    uint8_t b12 = byte(base + 12), b13 = byte(base + 13);
    ch.forbid = static_cast<int8_t>((b12 >> 3) & 1);
    choice[4] = ch.forbid;
    ch.bandwidth = static_cast<int8_t>((b13 >> 4) & 1);
    choice[5] = ch.bandwidth;
    ch.power = static_cast<int8_t>((b13 >> 5) & 1);
    choice[3] = ch.power;
  }

  auto& oi = s.OptionIndex;
  auto& ot = s.OptionText;
  if (InRange(byte(272), 0, 3)) oi[0] = byte(272);
  if (InRange(byte(273), 0, 3)) oi[1] = byte(273);
  if (InRange(byte(274), 10, 100)) oi[2] = byte(274) * 10;
  if (InRange(byte(275), 0, 3)) oi[3] = byte(275);
  if (InRange(byte(276), 0, 16)) oi[4] = byte(276);
  if (InRange(byte(277), 0, 1)) oi[5] = byte(277);
  {
    // Group call code: the list position as its digit character, 0 as 0x00.
    uint8_t b = byte(278);
    if (b == 0x00 || b == 0xFF || b == '0')
      oi[6] = 0;
    else if (b >= '1' && b <= '6')
      oi[6] = b - '0';
  }
  if (InRange(byte(279), 0, 15)) oi[7] = byte(279);

  if (InRange(byte(addr::kPf1Key), 0, 11)) s.Pf1KeyFunction = byte(addr::kPf1Key);
  if (InRange(byte(addr::kPf2Key), 0, 11)) s.Pf2KeyFunction = byte(addr::kPf2Key);

  ot[15].clear();
  for (int i = 0; i < 10; ++i) ot[15].push_back(static_cast<char>(byte(addr::kOptionText15 + i)));

  FunctionSettings& fs = state.settings;
  if (InRange(byte(addr::kVoicePrompt), 0, 2)) fs.voicePrompt = byte(addr::kVoicePrompt);
  if (InRange(byte(addr::kTxTimeout), 0, 40)) fs.txTimeout = byte(addr::kTxTimeout) - 1;
  if (InRange(byte(addr::kPreAlert), 0, 10)) fs.preAlert = byte(addr::kPreAlert);
  if (InRange(byte(addr::kPttId), 0, 2)) ot[3] = Decimal(byte(addr::kPttId));
  if (InRange(byte(addr::kSquelch), 0, 9)) fs.squelch = byte(addr::kSquelch);
  if (InRange(byte(addr::kBatterySave), 0, 1)) fs.batterySave = byte(addr::kBatterySave);
  if (InRange(byte(addr::kBeep), 0, 1)) fs.beep = byte(addr::kBeep);
  if (InRange(byte(addr::kCancelOperation), 0, 1)) ot[22] = Decimal(byte(addr::kCancelOperation));
  if (InRange(byte(addr::kRxBlocksVox), 0, 1)) ot[23] = Decimal(byte(addr::kRxBlocksVox));
  if (InRange(byte(addr::kVoxFunction), 0, 1)) ot[5] = Decimal(byte(addr::kVoxFunction));
  if (InRange(byte(addr::kVoxGain), 0, 10)) ot[6] = Decimal(byte(addr::kVoxGain));
  if (InRange(byte(addr::kVoxDelay), 0, 5)) ot[7] = Decimal(byte(addr::kVoxDelay));
  if (InRange(byte(addr::kVoxTone), 0, 1)) ot[8] = Decimal(byte(addr::kVoxTone));
  ot[9] = (byte(addr::kDuplicate) & 0x80) ? "1" : "0";

  ot[16].clear();
  ot[17].clear();
  for (int i = 0; i < 16; ++i) {
    if (byte(addr::kOptionText16 + i) != 0xFF)
      ot[16].push_back(static_cast<char>(byte(addr::kOptionText16 + i)));
    if (byte(addr::kOptionText17 + i) != 0xFF)
      ot[17].push_back(static_cast<char>(byte(addr::kOptionText17 + i)));
  }

  if (InRange(byte(addr::kPriority), 0, 2)) ot[10] = Decimal(byte(addr::kPriority));
  if (InRange(byte(addr::kPriorityChannel), 1, 16)) ot[11] = Decimal(byte(addr::kPriorityChannel));
  // Retrace times: the encoder writes "empty" (0) as 0xFF, so 0xFF reads
  // back as 0; a read then write changes nothing in the radio.
  for (int k : {0, 1}) {
    uint8_t b = byte(k == 0 ? addr::kRetraceA : addr::kRetraceB);
    if (b == 0xFF)
      ot[12 + k] = "0";
    else if (InRange(b, 0, 91))
      ot[12 + k] = Decimal(b);
  }
  if (InRange(byte(addr::kReturnChannel), 0, 3)) ot[14] = Decimal(byte(addr::kReturnChannel));
  if (uint16_t w = GetWord(img, addr::kScanRxDelay); w < 301) ot[18] = Decimal(w);
  if (uint16_t w = GetWord(img, addr::kScanTxDelay); w < 301) ot[19] = Decimal(w);

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

  s.TxPowerHighLevel = byte(addr::kTxPowerHigh);
  s.TxPowerLowLevel = byte(addr::kTxPowerLow);

  if (int band = BandIndexOfCode(byte(addr::kBandCode)); band >= 0)
    SelectBandSilently(state.band, band);

  for (int k = 0; k < 8; ++k) {
    std::string& code = s.DtmfMemoryCodes[k];
    code.clear();
    for (int i = 0; i < 16; ++i) {
      uint8_t b = byte(addr::kDtmfCodes + 16 * k + i);
      if (b == 0xFF) continue;
      code.push_back(b == 0x3A ? '0' : static_cast<char>(b));
    }
  }

  for (int t = 0; t < kChannelCount; ++t) {
    s.TestFrequencyTable[t][0] = GetFreq(img, addr::kTestFrequencies + 8 * t);
    s.TestFrequencyTable[t][1] = GetFreq(img, addr::kTestFrequencies + 8 * t + 4);
  }

  for (int e = 0; e < 2; ++e) {
    std::string& text = s.EmbeddedInfoText[e];
    text.clear();
    for (int i = 0; i < 32; ++i) {
      uint8_t b = byte(addr::kEmbeddedInfo + 32 * e + i);
      if (b != 0xFF) text.push_back(static_cast<char>(b));
    }
  }
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
