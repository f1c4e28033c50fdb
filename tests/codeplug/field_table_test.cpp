// The field table through the codec: every row's values at the ends of the
// range the decoder takes come back, land in the row's own bytes only, and a
// byte beyond the range leaves the editor's value. The bytes of the odd
// encodings are written out here by hand, so that a row with a wrong address
// or encoding fails even where the encoder and the decoder agree.
#include <gtest/gtest.h>

#include "codeplug/codec.h"
#include "editor/codeplug_fields.h"
#include "editor/demo.h"

namespace kv3 {
namespace {

bool WholeNumberField(const FieldRow& row) {
  switch (row.image.encoding) {
    case Encoding::Freq4:
    case Encoding::Text:
    case Encoding::Bytes:
    case Encoding::DtmfCode:
      return false;
    default:
      return true;
  }
}

// The image bytes a field may change: its own, and the band's copy.
bool Owns(const FieldRef& f, int address) {
  if (address >= f.Address() && address < f.Address() + f.row->image.size) return true;
  return f.row->image.encoding == Encoding::BandCode && address == addr::kBandCodeAgain;
}

TEST(FieldTable, EveryWholeNumberComesBackAtTheEndsOfItsRangeInItsOwnBytes) {
  const MemoryImage base = EncodeImage(DemoState());
  int checked = 0;
  for (const FieldRef& f : AllFields()) {
    if (!WholeNumberField(*f.row)) continue;
    for (int value : {f.row->image.decode.lo, f.row->image.decode.hi}) {
      SCOPED_TRACE(f.Key() + " = " + std::to_string(value));
      EditorState state = DemoState();
      SetFieldValue(state, f, value);
      const MemoryImage image = EncodeImage(state);
      for (int a = kImageFirstAddress; a <= kImageLastAddress; ++a)
        EXPECT_TRUE(image[At(a)] == base[At(a)] || Owns(f, a)) << "address " << a;

      EditorState back = StartupState();
      ASSERT_TRUE(DecodeImage(std::span<const uint8_t>(image), back));
      EXPECT_EQ(FieldValue(back, f), value);
      ++checked;
    }
  }
  EXPECT_EQ(checked, 2 * 34);
}

TEST(FieldTable, TextsAndFrequenciesComeBackInTheirOwnBytes) {
  const MemoryImage base = EncodeImage(DemoState());
  for (const FieldRef& f : AllFields()) {
    if (WholeNumberField(*f.row)) continue;
    SCOPED_TRACE(f.Key());
    EditorState state = DemoState();
    if (f.row->image.encoding == Encoding::Freq4) {
      FieldFrequency(state, f) = Freq4FromUnits(14412500 + f.number * 1000);
    } else {
      // As long as the field takes, ending in its last character: "0" is
      // the DTMF code's odd byte.
      std::string text(f.row->image.size, 'A');
      text.back() = '0';
      FieldBytes(state, f) = text;
    }
    const MemoryImage image = EncodeImage(state);
    for (int a = kImageFirstAddress; a <= kImageLastAddress; ++a)
      EXPECT_TRUE(image[At(a)] == base[At(a)] || Owns(f, a)) << "address " << a;
    EditorState back = StartupState();
    ASSERT_TRUE(DecodeImage(std::span<const uint8_t>(image), back));
    if (f.row->image.encoding == Encoding::Freq4)
      EXPECT_EQ(FieldFrequency(back, f), FieldFrequency(state, f));
    else
      EXPECT_EQ(FieldBytes(back, f), FieldBytes(state, f));
  }
}

TEST(FieldTable, AByteBeyondTheRangeLeavesTheEditorsValue) {
  for (const FieldRef& f : AllFields()) {
    const FieldRow& row = *f.row;
    if (!WholeNumberField(row) || row.image.size != 1) continue;
    // The first byte past the range, in the field's encoding.
    int beyond = -1;
    switch (row.image.encoding) {
      case Encoding::U8:
      case Encoding::EmptyAsFF:
        beyond = row.image.decode.hi < 255 ? row.image.decode.hi + 1 : -1;
        break;
      case Encoding::Tens:
        beyond = row.image.decode.hi / 10 + 1;
        break;
      case Encoding::DigitCharacter:
        beyond = '0' + row.image.decode.hi + 1;
        break;
      case Encoding::PositionPlusOne:
        beyond = row.image.decode.hi + 2;
        break;
      default:
        break;
    }
    if (beyond < 0) continue;
    SCOPED_TRACE(f.Key() + ": byte " + std::to_string(beyond));
    MemoryImage image = EncodeImage(DemoState());
    image[At(f.Address())] = static_cast<uint8_t>(beyond);
    EditorState state = StartupState();
    SetFieldValue(state, f, row.image.decode.lo);
    ASSERT_TRUE(DecodeImage(std::span<const uint8_t>(image), state));
    EXPECT_EQ(FieldValue(state, f), row.image.decode.lo);
  }
}

// The encodings that are not one plain byte, at the radio's addresses.
TEST(FieldTable, TheOddEncodingsAtTheRadiosAddresses) {
  struct Case {
    const char* key;
    int value;
    int address;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"dtmf.rate", 3, 272, {3}},
      {"dtmf.firstDigitTime", 2, 273, {2}},
      {"dtmf.firstDigitDelayMs", 250, 274, {25}},  // tens of ms
      {"dtmf.firstDigitDelayMs", 0, 274, {0}},
      {"dtmf.starHashTone", 3, 275, {3}},
      {"dtmf.dKey", 16, 276, {16}},
      {"dtmf.sideTone", 0, 277, {0}},
      {"dtmf.groupCall", 3, 278, {'3'}},  // the digit's character
      {"dtmf.groupCall", 0, 278, {0}},
      {"dtmf.autoResetTimer", 15, 279, {15}},
      {"keys.pf1", 11, 285, {11}},
      {"keys.pf2", 4, 286, {4}},
      {"functionSettings.voicePrompt", 2, 303, {2}},
      {"functionSettings.txTimeoutSeconds", 0, 304, {1}},  // position + 1
      {"functionSettings.txTimeoutSeconds", -1, 304, {0}},
      {"functionSettings.preAlertSeconds", 10, 305, {10}},
      {"optionalFunctions.pttId", 2, 306, {2}},
      {"functionSettings.squelch", 9, 308, {9}},
      {"functionSettings.batterySave", 0, 309, {0}},
      {"functionSettings.beep", 0, 310, {0}},
      {"optionalFunctions.cancelOperation", 0, 311, {0}},
      {"optionalFunctions.rxBlocksVox", 0, 312, {0}},
      {"optionalFunctions.voxFunction", 0, 313, {0}},
      {"optionalFunctions.voxGain", 10, 314, {10}},
      {"optionalFunctions.voxDelay", 5, 315, {5}},
      {"optionalFunctions.voxTone", 0, 316, {0}},
      {"optionalFunctions.duplicate", 1, 318, {0xFF}},  // bit 7
      {"optionalFunctions.duplicate", 0, 318, {0x7F}},
      {"optionalFunctions.priority", 2, 352, {2}},
      {"optionalFunctions.priorityChannel", 16, 353, {16}},
      {"optionalFunctions.retraceTimeA", 0, 354, {0xFF}},  // 0xFF for 0
      {"optionalFunctions.retraceTimeA", 91, 354, {91}},
      {"optionalFunctions.retraceTimeB", 0, 355, {0xFF}},
      {"optionalFunctions.returnChannel", 3, 356, {3}},
      {"optionalFunctions.scanRxDelaySeconds", 300, 357, {0x2C, 0x01}},  // u16le
      {"optionalFunctions.scanTxDelaySeconds", 258, 359, {0x02, 0x01}},
      {"powerLevels.high", 255, 387, {255}},
      {"powerLevels.low", 1, 392, {1}},
      {"band", 5, 445, {0x01}},  // 136-174MHz
      {"band", 5, 844, {0x01}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " = " + std::to_string(c.value));
    std::optional<FieldRef> f = FindField(c.key);
    ASSERT_TRUE(f);
    EditorState state = DemoState();
    SetFieldValue(state, *f, c.value);
    const MemoryImage image = EncodeImage(state);
    for (size_t i = 0; i < c.bytes.size(); ++i)
      EXPECT_EQ(image[At(c.address + static_cast<int>(i))], c.bytes[i]) << "byte " << i;
  }
}

TEST(FieldTable, TheRepeatedFieldsAtTheRadiosAddresses) {
  EditorState state = DemoState();
  FieldBytes(state, *FindField("dtmf.memoryCodes.3")) = "10#";
  FieldFrequency(state, *FindField("testFrequencies.2.tx")) = Freq4FromUnits(14412500);
  FieldBytes(state, *FindField("embeddedInfo.2")) = "XY";
  const MemoryImage image = EncodeImage(state);
  const uint8_t code[] = {'1', 0x3A, '#', 0xFF};  // "0" is stored as 0x3A
  for (int i = 0; i < 4; ++i) EXPECT_EQ(image[At(512 + 2 * 16 + i)], code[i]) << i;
  const uint8_t frequency[] = {0x00, 0x25, 0x41, 0x14};  // 144.12500, packed BCD
  for (int i = 0; i < 4; ++i) EXPECT_EQ(image[At(640 + 8 + 4 + i)], frequency[i]) << i;
  EXPECT_EQ(image[At(768 + 32)], 'X');
  EXPECT_EQ(image[At(768 + 32 + 2)], 0xFF);
}

}  // namespace
}  // namespace kv3
