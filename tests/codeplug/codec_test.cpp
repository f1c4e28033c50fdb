// The encoder and the decoder: worked examples, fixed bytes, the decoder's
// accepted ranges, and round trips over random states and images.
#include "codeplug/codec.h"

#include <gtest/gtest.h>

#include <random>

#include "editor/band.h"
#include "editor/demo.h"
#include "image/hex.h"

namespace kv3 {
namespace {

std::vector<uint8_t> Bytes(const MemoryImage& img, int address, int count) {
  return {img.begin() + At(address), img.begin() + At(address) + count};
}

EditorState Decoded(const MemoryImage& img, EditorState state = StartupState()) {
  EXPECT_TRUE(DecodeImage(std::span<const uint8_t>(img), state));
  return state;
}

TEST(Encode, EmptyEditorRecordsAndLength) {
  EditorState state = StartupState();
  MemoryImage img = EncodeImage(state);
  for (int n = 0; n < 16; ++n) {
    EXPECT_EQ(Bytes(img, 16 + 16 * n, 16),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                    0xFF, 0xFF, 0xF8, 0xF0, 0xFC, 0xFF}))
        << "channel " << n + 1;
  }
  EXPECT_EQ(EncodeImageHex(state).size(), 1696u);
  // The function settings' start-up positions: 1, 2 (position + 1), 0, 5, 1, 1.
  EXPECT_EQ(img[At(303)], 1);
  EXPECT_EQ(img[At(304)], 2);
  EXPECT_EQ(img[At(305)], 0);
  EXPECT_EQ(img[At(308)], 5);
  EXPECT_EQ(img[At(309)], 1);
  EXPECT_EQ(img[At(310)], 1);
}

TEST(Encode, WorkedChannel) {
  EditorState state = StartupState();
  Channel& ch = state.grid.channels[0];
  ch.rx = Freq4FromText("438.12500");
  ch.tx = Freq4FromText("438.12500");
  ch.rxTone = Tone::Ctcss(885);
  ch.txTone = Tone::Dcs(023, false);
  ch.power = 1;
  ch.forbid = 0;
  ch.bandwidth = 0;
  ch.scan = 1;
  MemoryImage img = EncodeImage(state);
  EXPECT_EQ(Bytes(img, 16, 16),
            (std::vector<uint8_t>{0x00, 0x25, 0x81, 0x43, 0x00, 0x25, 0x81, 0x43, 0x75, 0x03, 0x13,
                                  0x28, 0xF0, 0xE0, 0xFC, 0xFF}));
  EXPECT_EQ(img[At(382)], 0x01);  // channel 1 in bit 0
  EXPECT_EQ(img[At(383)], 0x00);
}

TEST(Encode, ToneWords) {
  EXPECT_EQ(ToneWord(Tone::Ctcss(885)), 0x0375);
  EXPECT_EQ(ToneWord(Tone::Ctcss(1000)), 0x03E8);
  EXPECT_EQ(ToneWord(Tone::Ctcss(2541)), 0x09ED);
  EXPECT_EQ(ToneWord(Tone::Dcs(023, false)), 0x2813);
  EXPECT_EQ(ToneWord(Tone::Dcs(023, true)), 0xA813);
  EXPECT_EQ(ToneWord(Tone::Dcs(0754, true)), 0xA9EC);
  EXPECT_EQ(ToneWord(Tone::Off()), 0xFFFF);
  EXPECT_EQ(ToneWord(Tone::Blank()), 0xFFFF);
  EXPECT_EQ(SetToneText(ToneFromWord(0x2813, false)), "D023N");
  EXPECT_EQ(SetToneText(ToneFromWord(0x0375, false)), "88.5");
  EXPECT_EQ(SetToneText(ToneFromWord(0x09ED, false)), "254.1");
}

TEST(Encode, OptionFieldsAndTexts) {
  EditorState state = StartupState();
  SharedValues& s = state.shared;
  s.OptionIndex[2] = 250;
  s.OptionIndex[6] = 3;
  s.OptionText[18] = "300";
  s.OptionText[12] = "0";
  s.OptionText[13] = "7";
  s.DtmfMemoryCodes[0] = "1230";
  MemoryImage img = EncodeImage(state);
  EXPECT_EQ(img[At(274)], 0x19);
  EXPECT_EQ(img[At(278)], 0x33);
  EXPECT_EQ(Bytes(img, 357, 2), (std::vector<uint8_t>{0x2C, 0x01}));
  EXPECT_EQ(img[At(354)], 0xFF);  // retrace time 0 is written as 0xFF
  EXPECT_EQ(img[At(355)], 7);
  const std::vector<uint8_t> dtmf = {0x31, 0x32, 0x33, 0x3A, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(Bytes(img, 512, 16), dtmf);
}

TEST(Encode, FixedBytesAndBandCodeTwice) {
  EditorState state = StartupState();
  SelectBandSilently(state.band, 1);  // 450-490MHz
  MemoryImage img = EncodeImage(state);
  EXPECT_EQ(Bytes(img, 440, 8), (std::vector<uint8_t>{'M', 'Z', 'P', '4', '8', 0x21, 0xF8, 0xFF}));
  EXPECT_EQ(Bytes(img, 832, 7), (std::vector<uint8_t>{'L', 'R', 'N', 'A', '6', '1', '4'}));
  EXPECT_EQ(img[At(844)], 0x21);
  EXPECT_EQ(Bytes(img, 848, 8), (std::vector<uint8_t>{'6', '0', '9', '0', '5', '6', '2', '6'}));
  EXPECT_EQ(Bytes(img, 856, 8), std::vector<uint8_t>(8, 0x88));
  EXPECT_EQ(img[At(307)], 0x00);
  for (int a : {280, 284, 287, 298, 302, 317, 319, 361, 381, 384, 386,
                388, 391, 393, 439, 447, 448, 511, 839, 843, 845, 847})
    EXPECT_EQ(img[At(a)], 0xFF) << "address " << a;
  // The hex text positions of the fields.
  std::string hex = EncodeImageHex(state);
  EXPECT_EQ(hex.substr(858, 2), "21");  // address 445 at text position 859
}

TEST(Encode, ValuesTooLargeAreClampedAndTextsCut) {
  EditorState state = StartupState();
  SharedValues& s = state.shared;
  s.TxPowerHighLevel = 4000;
  s.Pf1KeyFunction = -5;
  s.OptionText[6] = "999";
  s.OptionText[18] = "70000";
  s.OptionText[19] = "abc";
  s.EmbeddedInfoText[0] = std::string(40, 'A');
  s.OptionText[15] = std::string(12, 'Z');
  s.DtmfMemoryCodes[7] = std::string(20, '0');
  MemoryImage img = EncodeImage(state);
  EXPECT_EQ(img[At(387)], 255);
  EXPECT_EQ(img[At(285)], 0);
  EXPECT_EQ(img[At(314)], 255);
  EXPECT_EQ(Bytes(img, 357, 2), (std::vector<uint8_t>{0xFF, 0xFF}));
  EXPECT_EQ(Bytes(img, 359, 2), (std::vector<uint8_t>{0x00, 0x00}));
  EXPECT_EQ(Bytes(img, 768, 32), std::vector<uint8_t>(32, 'A'));
  EXPECT_EQ(img[At(800)], 0xFF);  // the second line starts where it should
  EXPECT_EQ(Bytes(img, 288, 10), std::vector<uint8_t>(10, 'Z'));
  EXPECT_EQ(Bytes(img, 624, 16), std::vector<uint8_t>(16, 0x3A));
}

TEST(Decode, EmptyChannelsAndBlankTransmit) {
  EditorState state = DemoState();
  MemoryImage img = EncodeImage(StartupState());
  // Channel 2: a TX frequency without an RX frequency is still an empty row.
  img[At(32 + 4)] = 0x00;
  // Channel 3: RX frequency, no TX frequency, TX tone off.
  const uint8_t rx[] = {0x00, 0x25, 0x81, 0x43};
  std::copy(rx, rx + 4, img.begin() + At(48));
  // Channel 4: RX frequency, no TX frequency, TX tone 88.5.
  std::copy(rx, rx + 4, img.begin() + At(64));
  img[At(64 + 10)] = 0x75;
  img[At(64 + 11)] = 0x03;
  EditorState d = Decoded(img, state);
  for (int n : {0, 1, 4, 15}) EXPECT_TRUE(d.grid.channels[n].empty());
  EXPECT_EQ(d.grid.channels[1], Channel{});
  const Channel& c3 = d.grid.channels[2];
  EXPECT_TRUE(c3.tx.blank());
  EXPECT_EQ(c3.txTone.kind, ToneKind::Blank);
  EXPECT_EQ(c3.rxTone.kind, ToneKind::Off);
  const Channel& c4 = d.grid.channels[3];
  EXPECT_TRUE(c4.tx.blank());
  EXPECT_EQ(SetToneText(c4.txTone), "88.5");
}

TEST(Decode, OutOfRangeBytesKeepOldValues) {
  EditorState before = StartupState();
  before.shared.OptionIndex[2] = 300;
  before.shared.OptionText[12] = "5";
  before.shared.OptionText[13] = "6";
  before.settings.txTimeout = 7;
  MemoryImage img = EncodeImage(before);
  img[At(274)] = 9;
  img[At(304)] = 41;
  img[At(354)] = 92;
  img[At(355)] = 0xFE;
  img[At(285)] = 12;
  img[At(357)] = 0x2D;  // 301
  img[At(358)] = 0x01;
  EditorState state = before;
  state.shared.OptionText[18] = "17";
  EditorState d = Decoded(img, state);
  EXPECT_EQ(d.shared.OptionIndex[2], 300);
  EXPECT_EQ(d.settings.txTimeout, 7);
  EXPECT_EQ(d.shared.OptionText[12], "5");
  EXPECT_EQ(d.shared.OptionText[13], "6");
  EXPECT_EQ(d.shared.Pf1KeyFunction, before.shared.Pf1KeyFunction);
  EXPECT_EQ(d.shared.OptionText[18], "17");

  img[At(274)] = 101;
  EXPECT_EQ(Decoded(img, before).shared.OptionIndex[2], 300);
  img[At(274)] = 50;
  EXPECT_EQ(Decoded(img, before).shared.OptionIndex[2], 500);
  img[At(304)] = 0;
  EXPECT_EQ(Decoded(img, before).settings.txTimeout, -1);  // no selection
  img[At(304)] = 40;
  EXPECT_EQ(Decoded(img, before).settings.txTimeout, 39);
}

// What a radio holds comes back unchanged from a read and a write: retrace
// times "empty" are 0xFF in the radio, and read as 0, which writes 0xFF.
TEST(Decode, EmptyRetraceTimesRoundTrip) {
  EditorState before = StartupState();
  before.shared.OptionText[12] = "5";
  before.shared.OptionText[13] = "6";
  MemoryImage img = EncodeImage(before);
  img[At(354)] = 0xFF;
  img[At(355)] = 0xFF;
  EditorState d = Decoded(img, before);
  EXPECT_EQ(d.shared.OptionText[12], "0");
  EXPECT_EQ(d.shared.OptionText[13], "0");
  EXPECT_EQ(EncodeImage(d), img);
}

TEST(Decode, BandDuplicateFlagAndTuning) {
  EditorState state = StartupState();
  state.shared.TuningUnlocked = 1;
  state.shared.OptionText[9] = "0";
  MemoryImage img = EncodeImage(state);
  EXPECT_EQ(img[At(318)], 0x7F);
  img[At(445)] = 0x21;
  EditorState d = Decoded(img, state);
  EXPECT_EQ(d.band.index, 1);
  EXPECT_EQ(d.band.ConfirmedBandIndex, 1);
  EXPECT_EQ(d.band.BandLowLimit, 450);
  EXPECT_EQ(d.band.BandHighLimit, 490);
  EXPECT_EQ(d.shared.TuningUnlocked, 0);
  // The duplicate flag reads back as it was written (bit 7), both ways.
  EXPECT_EQ(d.shared.OptionText[9], "0");
  state.shared.OptionText[9] = "1";
  EXPECT_EQ(Decoded(EncodeImage(state)).shared.OptionText[9], "1");
  // An unknown band code changes nothing.
  img[At(445)] = 0x99;
  EditorState other = StartupState();
  SelectBandSilently(other.band, 5);
  EXPECT_EQ(Decoded(img, other).band.index, 5);
}

TEST(Decode, ScanBitmapAndTexts) {
  EditorState state = DemoState();
  MemoryImage img = EncodeImage(state);
  img[At(382)] = 0x80;   // channel 8, which is empty in the demo
  img[At(383)] = 0x01;   // channel 9, empty
  img[At(382)] |= 0x02;  // channel 2
  img[At(512)] = 0x30;   // "0" stored as its code also reads as "0"
  img[At(513)] = 0x3A;
  img[At(768)] = 'H';
  img[At(769)] = 0xFF;  // skipped
  img[At(770)] = 0xE9;  // kept as the byte it is
  EditorState d = Decoded(img);
  EXPECT_EQ(d.grid.channels[0].scan, 0);
  EXPECT_EQ(d.grid.channels[1].scan, 1);
  EXPECT_EQ(d.grid.channels[7].scan, kBlankChoice);
  EXPECT_EQ(d.grid.channels[8].scan, kBlankChoice);
  EXPECT_EQ(d.shared.DtmfMemoryCodes[0].substr(0, 2), "00");
  EXPECT_EQ(d.shared.EmbeddedInfoText[0].substr(0, 2), "H\xE9");
  EXPECT_EQ(EncodeImage(d)[At(769)], 0xE9);
}

TEST(Decode, RefusesShortImagesAndBadHex) {
  EditorState state = DemoState();
  EditorState before = state;
  std::string hex = EncodeImageHex(StartupState());
  EXPECT_FALSE(DecodeImage(std::string_view(hex).substr(0, 1630), state));
  std::string bad = hex;
  bad[100] = 'G';
  EXPECT_FALSE(DecodeImage(std::string_view(bad), state));
  EXPECT_EQ(state, before);
  EXPECT_TRUE(DecodeImage(std::string_view(hex).substr(0, 1632), state));
  // A read image of 1024 bytes (2048 digits): the rest is ignored.
  std::string longer = EncodeImageHex(before) + std::string(352, 'F');
  EditorState fromLong = StartupState();
  EXPECT_TRUE(DecodeImage(std::string_view(longer), fromLong));
  EXPECT_EQ(EncodeImage(fromLong), EncodeImage(before));
}

// Random editor states that respect the editor's invariants.
EditorState RandomState(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  EditorState s = StartupState();
  for (auto& ch : s.grid.channels) {
    if (pick(0, 3) == 0) {
      ch = Channel{};
      continue;
    }
    ch.rx = Freq4FromUnits(static_cast<uint32_t>(pick(13600000, 71999999)));
    ch.tx =
        pick(0, 5) == 0 ? kNoFrequency : Freq4FromUnits(static_cast<uint32_t>(pick(0, 99999999)));
    ch.rxTone = ToneAt(pick(0, kToneListSize - 1));
    ch.txTone = ToneAt(pick(0, kToneListSize - 1));
    if (ch.tx.blank() && ch.txTone.kind == ToneKind::Off) ch.txTone = Tone::Blank();
    ch.power = static_cast<int8_t>(pick(0, 1));
    ch.forbid = static_cast<int8_t>(pick(0, 1));
    ch.bandwidth = static_cast<int8_t>(pick(0, 1));
    ch.scan = static_cast<int8_t>(pick(0, 1));
  }
  SelectBandSilently(s.band, pick(0, kBandCount - 1));
  auto& f = s.settings;
  f = {pick(0, 2), pick(-1, 39), pick(0, 10), pick(0, 9), pick(0, 1), pick(0, 1)};
  auto& sh = s.shared;
  sh.OptionIndex = {pick(0, 3),  pick(0, 3), pick(10, 100) * 10, pick(0, 3),
                    pick(0, 16), pick(0, 1), pick(0, 6),         pick(0, 15)};
  auto num = [&](int lo, int hi) { return std::to_string(pick(lo, hi)); };
  // OptionText index, lowest and highest value the dialogs give it.
  const int ranges[][3] = {{3, 0, 2},  {5, 0, 1},    {6, 0, 10},   {7, 0, 5},   {8, 0, 1},
                           {9, 0, 1},  {10, 0, 2},   {11, 1, 16},  {12, 1, 91}, {13, 1, 91},
                           {14, 0, 3}, {18, 0, 300}, {19, 0, 300}, {22, 0, 1},  {23, 0, 1}};
  for (const auto& r : ranges) sh.OptionText[r[0]] = num(r[1], r[2]);
  auto text = [&](int max) {
    std::string t;
    int len = pick(0, max);
    for (int i = 0; i < len; ++i) t.push_back(static_cast<char>(pick(0x20, 0xFE)));
    return t;
  };
  sh.OptionText[15].clear();
  for (int i = 0; i < 10; ++i) sh.OptionText[15].push_back(static_cast<char>(pick(0, 255)));
  sh.OptionText[16] = text(16);
  sh.OptionText[17] = text(16);
  for (auto& code : sh.DtmfMemoryCodes) {
    code.clear();
    int len = pick(0, 16);
    for (int i = 0; i < len; ++i) code.push_back("0123456789ABCD*#"[pick(0, 15)]);
  }
  sh.Pf1KeyFunction = pick(0, 11);
  sh.Pf2KeyFunction = pick(0, 11);
  sh.TxPowerHighLevel = pick(0, 255);
  sh.TxPowerLowLevel = pick(0, 255);
  for (auto& t : sh.TestFrequencyTable)
    for (auto& fq : t)
      fq =
          pick(0, 2) == 0 ? kNoFrequency : Freq4FromUnits(static_cast<uint32_t>(pick(0, 99999999)));
  sh.EmbeddedInfoText[0] = text(32);
  sh.EmbeddedInfoText[1] = text(32);
  return s;
}

TEST(RoundTrip, RandomStatesDecodeToThemselves) {
  std::mt19937 rng(20261206);
  for (int i = 0; i < 500; ++i) {
    EditorState s = RandomState(rng);
    EditorState d = Decoded(EncodeImage(s), StartupState());
    // Every field the decoder reads comes back.
    for (int n = 0; n < 16; ++n) ASSERT_EQ(d.grid.channels[n], s.grid.channels[n]) << i << " " << n;
    ASSERT_EQ(d.band.index, s.band.index);
    ASSERT_EQ(d.settings, s.settings);
    SharedValues expected = s.shared;
    expected.TuningUnlocked = 0;
    ASSERT_EQ(d.shared, expected) << i;
    // And the image is the same again.
    ASSERT_EQ(EncodeImage(d), EncodeImage(s));
  }
}

TEST(RoundTrip, RandomImagesInRangeEncodeToThemselves) {
  std::mt19937 rng(848);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int i = 0; i < 300; ++i) {
    EditorState s = RandomState(rng);
    MemoryImage img = EncodeImage(s);
    // Bytes the decoder takes over: put random in-range values straight into the image.
    img[At(272)] = static_cast<uint8_t>(pick(0, 3));
    img[At(279)] = static_cast<uint8_t>(pick(0, 15));
    img[At(303)] = static_cast<uint8_t>(pick(0, 2));
    img[At(304)] = static_cast<uint8_t>(pick(0, 40));
    img[At(308)] = static_cast<uint8_t>(pick(0, 9));
    img[At(353)] = static_cast<uint8_t>(pick(1, 16));
    img[At(387)] = static_cast<uint8_t>(pick(0, 255));
    img[At(382)] = static_cast<uint8_t>(pick(0, 255));
    for (int a = 640; a < 768; ++a) img[At(a)] = static_cast<uint8_t>(pick(0, 255));
    // Scan bits of empty channels are not kept: clear them for the comparison.
    EditorState d = Decoded(img);
    MemoryImage again = EncodeImage(d);
    for (int n = 0; n < 16; ++n) {
      if (!d.grid.channels[n].empty()) continue;
      img[At(382 + n / 8)] &= static_cast<uint8_t>(~(1 << (n % 8)));
    }
    ASSERT_EQ(again, img) << "image " << i;
  }
}

}  // namespace
}  // namespace kv3
