// The codeplug's settings outside the channel grid as one table: each field
// is one row that says where it lives in the memory image and how it is
// encoded there, which values the decoder takes over, where the editor
// holds it, what its window shows and lets a user enter, the caption beside
// it, and its key (the JSON format's, also kv3ctl get/set's and kv3ctl show
// --json's).
//
// The codec, JSON export and import, the view kv3ctl show prints, diff,
// kv3ctl get/set and the feature dialogs' plain load and store read this
// table; rules that are logic (the priority channel, the test frequency
// raster, the band, the tuning lock) are functions that those callers run
// for the rows that name them. A new field is a row here and its captions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/band.h"
#include "editor/editor_state.h"
#include "editor/settings_lists.h"
#include "i18n/language.h"
#include "i18n/texts.h"
#include "image/image.h"

namespace kv3 {

// The scan delays: whole seconds up to this (the dialog's boxes, and what the
// decoder takes).
inline constexpr int kScanDelayMaximum = 300;

// The groups of settings: the objects of the JSON format and the sections
// kv3ctl show prints, in this order.
enum class FieldSection : uint8_t {
  Band,
  FunctionSettings,
  OptionalFunctions,
  Dtmf,
  Keys,
  PowerLevels,
  TestFrequencies,
  EmbeddedInfo,
  Carried,
};

struct SectionInfo {
  FieldSection section;
  const char* key;  // the JSON key: "optionalFunctions"
  Text2 caption;    // the title of the window or frame that shows it
  bool plain;       // the caption is the same text in every language
};

inline constexpr std::array<SectionInfo, 9> kSections{{
    {FieldSection::Band, "band", kBandFrame, false},
    {FieldSection::FunctionSettings, "functionSettings", kSettingsFrame, false},
    {FieldSection::OptionalFunctions, "optionalFunctions", form5::kTitle, false},
    {FieldSection::Dtmf, "dtmf", {"DTMF", "DTMF"}, true},
    {FieldSection::Keys, "keys", form6::kTitle, false},
    {FieldSection::PowerLevels, "powerLevels", {form2::kTitle, form2::kTitle}, true},
    {FieldSection::TestFrequencies, "testFrequencies", kTestFrequenciesTitle, false},
    {FieldSection::EmbeddedInfo, "embeddedInfo", form7::kTitle, false},
    {FieldSection::Carried, "carried", {"OptionText", "OptionText"}, true},
}};

const SectionInfo& InfoOf(FieldSection section);

// How a value sits in the image.
enum class Encoding : uint8_t {
  U8,               // one byte, binary
  Tens,             // one byte: the value (a time in ms) divided by 10
  DigitCharacter,   // one byte: 0x00 for 0, else the character of the value's
                    // first digit; 0x00 and 0xFF read as 0
  PositionPlusOne,  // one byte: the list position + 1; 0 reads as no selection
  TopBit,           // a flag in bit 7, bits 6..0 set; read from bit 7
  EmptyAsFF,        // one byte, 0 ("empty") written as 0xFF, which reads as 0
  U16le,            // two bytes, little-endian
  Freq4,            // four bytes of packed BCD, FF FF FF FF none
  Text,             // one byte a character, 0xFF after the last; 0xFF read as nothing
  Bytes,            // every byte as it is, 0xFF included
  DtmfCode,         // Text, with the character "0" stored as 0x3A
  BandCode,         // the band list's code, at the address and again at 844
};

// The values the decoder takes over, as the encoding reads them; a byte
// that gives another value leaves the editor's value as it was.
struct ValueRange {
  int lo = 0;
  int hi = 0;
};

struct ImageForm {
  Encoding encoding = Encoding::U8;
  uint8_t size = 1;  // bytes
  ValueRange decode;
};

// Where the editor holds a value.
enum class Holder : uint8_t {
  Band,              // the band list
  Setting,           // a list of the function settings frame, by its position
  OptionText,        // OptionText(slot): a decimal text, or bytes
  OptionIndex,       // OptionIndex(slot)
  Pf1KeyFunction,    //
  Pf2KeyFunction,    //
  TxPowerHighLevel,  //
  TxPowerLowLevel,   //
  DtmfMemoryCode,    // DtmfMemoryCodes(number - 1)
  TestFrequency,     // TestFrequencyTable(number - 1, slot)
  EmbeddedInfo,      // EmbeddedInfoText(number - 1)
};

struct Slot {
  Holder holder = Holder::OptionText;
  int8_t index = 0;  // OptionText/OptionIndex index, the settings list, the test frequency column
};

// What a window shows of a value and lets a user enter.
enum class EntryKind : uint8_t {
  List,           // one entry of a list
  CheckBox,       // 0 cleared, 1 ticked
  WholeNumber,    // a whole number first..last, typed or on a slider
  Characters,     // typed characters, at most the field's size
  TestFrequency,  // a frequency of the test frequencies dialog
  Hex,            // no window shows it: the hex digits of its bytes
};

// What a list shows for a value that is none of its entries.
enum class Outside : uint8_t {
  Blank,   // nothing (a list without a selection)
  Held,    // the value as the editor holds it (its text, or its number)
  Entry,   // the entry `outsideEntry` (the keys' lists show "OFF")
  ByRule,  // the rule's text of the value (the rule takes any value)
};

struct FieldEntry {
  EntryKind kind = EntryKind::List;
  // A list: entry k stands for the value first + k * step. Its text is
  // texts[k] (per language; with simplifiedOnly the Simplified text in every
  // language), plain[k] (the same in every language) or the rule's text of
  // the value.
  const Text2* texts = nullptr;
  const char* const* plain = nullptr;
  std::string (*rule)(int value, Language lang) = nullptr;
  int count = 0;
  int first = 0;
  int step = 1;
  Outside outside = Outside::Held;
  int outsideEntry = 0;
  bool simplifiedOnly = false;
  // WholeNumber: the highest number (first is the lowest).
  int last = 0;
  // Characters: the ones that may be typed; nullptr: printable Latin-1.
  const char* characters = nullptr;
};

// The value's form in the JSON format and in kv3ctl get/set.
enum class JsonForm : uint8_t {
  Number,     // a whole number
  Flag,       // true or false (0 or 1)
  Name,       // one of `names`, by the value
  Multiple,   // (value + 1) * scale, in `unit`: the list of 15, 30, ... 600 seconds
  Text,       // a text of Latin-1 characters
  Frequency,  // "438.12500"; "" none
  Hex,        // the hex digits of the bytes
  BandText,   // the band's list entry
};

struct FieldJson {
  JsonForm form = JsonForm::Number;
  bool nullable = false;  // null is a list without a selection (-1)
  const char* const* names = nullptr;
  int scale = 1;
  const char* unit = nullptr;
};

// How the caption of a repeated field carries its number.
enum class CaptionForm : uint8_t {
  Text,        // "VOX增益电平"
  TextNumber,  // "自动拨号存储器 3"
  NumberText,  // "03 接收频率" (two digits)
  Number,      // "1"
};

struct FieldCaption {
  Text2 text;
  bool plain = false;  // the same text in every language
  CaptionForm form = CaptionForm::Text;
  // The caption's place in its window (the caption tables' window and
  // control), and the control that shows the value; nullptr where no window
  // shows the value.
  const char* window = nullptr;
  const char* label = nullptr;
  const char* control = nullptr;
};

// Rules that are logic, not data: functions the editing of a field runs.
enum class FieldRule : uint8_t {
  None,
  Band,             // another band clears the channels: a question first
  PriorityMode,     // "固定" needs a programmed channel and picks the first
  PriorityChannel,  // while "固定", an empty channel is refused
  ScanDelay,        // the delay boxes: whole seconds, with the dialog's message
  TestFrequency,    // moved onto the raster; a transmit one needs a receive one
  PowerLevel,       // the sliders move only while tuning is unlocked
};

// How many fields a row stands for (numbered 1..count) and the distance of
// their addresses. Adjacent repeated rows with the same key before "#" form
// one record: test channel 1's receive and transmit fields come before test
// channel 2's.
struct Repeat {
  uint8_t count = 1;
  uint8_t stride = 0;
};

struct FieldRow {
  const char* key;  // "optionalFunctions.voxGain"; "#" is the number of a repeated field
  FieldSection section;
  int address;  // radio address of the first byte (of field 1 of a repeated row)
  ImageForm image;
  Slot slot;
  const char* startup;  // the start-up value as the editor holds it; nullptr: none
  FieldEntry entry;
  FieldJson json;
  FieldCaption caption;
  FieldRule rule = FieldRule::None;
  Repeat repeat = {};
};

// Entry texts built by rule, in the form a list takes them.
std::string BandEntry(int value, Language lang);         // "400-480MHz"
std::string TwoDigitNumber(int value, Language lang);    // "01" .. "16"
std::string MillisecondsText(int value, Language lang);  // "100MS"
std::string DKeyText(int value, Language lang);          // "D码", "1秒" .. "16秒"
std::string AutoResetText(int value, Language lang);     // "关闭", "1秒" .. "15秒"

namespace field_rows {

constexpr ImageForm Byte(int lo, int hi) {
  return {Encoding::U8, 1, {lo, hi}};
}
constexpr ImageForm Encoded(Encoding e, int lo, int hi, uint8_t size = 1) {
  return {e, size, {lo, hi}};
}
constexpr Slot Option(int index) {
  return {Holder::OptionText, static_cast<int8_t>(index)};
}
constexpr Slot Index(int index) {
  return {Holder::OptionIndex, static_cast<int8_t>(index)};
}
constexpr Slot Held(Holder h, int index = 0) {
  return {h, static_cast<int8_t>(index)};
}
template <size_t N>
constexpr FieldEntry List(const std::array<Text2, N>& texts) {
  return {.texts = texts.data(), .count = N};
}
template <size_t N>
constexpr FieldEntry List(const std::array<const char*, N>& plain) {
  return {.plain = plain.data(), .count = N};
}
constexpr FieldEntry ListByRule(std::string (*rule)(int, Language), int count, int first = 0,
                                int step = 1) {
  return {.rule = rule, .count = count, .first = first, .step = step};
}
constexpr FieldEntry WithOutside(FieldEntry e, Outside outside, int entry = 0) {
  e.outside = outside;
  e.outsideEntry = entry;
  return e;
}
constexpr FieldEntry SimplifiedOnly(FieldEntry e) {
  e.simplifiedOnly = true;
  return e;
}
constexpr FieldEntry CheckBox() {
  return {.kind = EntryKind::CheckBox, .count = 2};
}
constexpr FieldEntry WholeNumber(int first, int last) {
  return {.kind = EntryKind::WholeNumber, .first = first, .last = last};
}
constexpr FieldEntry Characters(const char* allowed) {
  return {.kind = EntryKind::Characters, .characters = allowed};
}
constexpr FieldEntry Of(EntryKind kind) {
  return {.kind = kind};
}
constexpr FieldJson Json(JsonForm form, bool nullable = false) {
  return {form, nullable};
}
constexpr FieldJson Names(const char* const* names, bool nullable) {
  return {JsonForm::Name, nullable, names};
}
constexpr FieldCaption Label(const Text2& text, const char* window, const char* label,
                             const char* control) {
  return {text, false, CaptionForm::Text, window, label, control};
}
constexpr FieldCaption Plain(const char* text, CaptionForm form = CaptionForm::Text) {
  return {{text, text}, true, form};
}

inline constexpr const char* kVoicePromptNames[] = {"off", "chinese", "english"};
inline constexpr const char* kDtmfCharacters = "0123456789ABCD*#";

constexpr Slot Setting(SettingsList list) {
  return {Holder::Setting, static_cast<int8_t>(list)};
}

}  // namespace field_rows

// The fields, in the order of the JSON format and of kv3ctl show.
inline constexpr auto kFieldRows = [] {
  using namespace field_rows;
  using E = Encoding;
  using H = Holder;
  using J = JsonForm;
  using S = FieldSection;
  using L = SettingsList;
  return std::to_array<FieldRow>({
      // key, section, address, image form and decode range, holder, start-up value,
      // what the window shows, JSON form, caption (and rule, repeat).
      {"band", S::Band, addr::kBandCode, Encoded(E::BandCode, 0, kBandCount - 1), Held(H::Band),
       nullptr, WithOutside(ListByRule(BandEntry, kBandCount), Outside::Blank), Json(J::BandText),
       Label(kBandLabel, "Form1", "Label3", "Combo1"), FieldRule::Band},

      {"functionSettings.voicePrompt", S::FunctionSettings, addr::kVoicePrompt, Byte(0, 2),
       Setting(L::Combo2), "1", WithOutside(List(kVoicePromptList), Outside::Blank),
       Names(kVoicePromptNames, true), Label(kVoicePromptLabel, "Form1", "Label4", "Combo2")},
      {"functionSettings.txTimeoutSeconds",
       S::FunctionSettings,
       addr::kTxTimeout,
       Encoded(E::PositionPlusOne, -1, kTxTimeoutCount - 1),
       Setting(L::Combo3),
       "1",
       WithOutside(ListByRule(TxTimeoutEntry, kTxTimeoutCount), Outside::Blank),
       {J::Multiple, true, nullptr, 15, "seconds"},
       Label(kTxTimeoutLabel, "Form1", "Label5", "Combo3")},
      {"functionSettings.preAlertSeconds", S::FunctionSettings, addr::kPreAlert,
       Byte(0, kPreAlertCount - 1), Setting(L::Combo4), "0",
       WithOutside(ListByRule(PreAlertEntry, kPreAlertCount), Outside::Blank),
       Json(J::Number, true), Label(kPreAlertLabel, "Form1", "Label1", "Combo4")},
      {"functionSettings.squelch", S::FunctionSettings, addr::kSquelch, Byte(0, kSquelchCount - 1),
       Setting(L::Combo9), "5",
       WithOutside(ListByRule(SquelchEntry, kSquelchCount), Outside::Blank), Json(J::Number, true),
       Label(kSquelchLabel, "Form1", "Label6", "Combo9")},
      {"functionSettings.batterySave", S::FunctionSettings, addr::kBatterySave, Byte(0, 1),
       Setting(L::Combo6), "1", WithOutside(List(kOffOnList), Outside::Blank), Json(J::Flag, true),
       Label(kBatterySaveLabel, "Form1", "Label7", "Combo6")},
      {"functionSettings.beep", S::FunctionSettings, addr::kBeep, Byte(0, 1), Setting(L::Combo7),
       "1", WithOutside(List(kOffOnList), Outside::Blank), Json(J::Flag, true),
       Label(kBeepLabel, "Form1", "Label8", "Combo7")},

      {"optionalFunctions.voxFunction", S::OptionalFunctions, addr::kVoxFunction, Byte(0, 1),
       Option(5), "1", List(kOffOnList), Json(J::Flag),
       Label(form5::kVoxFunction, "Form5", "Label8", "Combo6")},
      {"optionalFunctions.voxGain", S::OptionalFunctions, addr::kVoxGain, Byte(0, 10), Option(6),
       "1", ListByRule(form5::VoxGainEntry, 11), Json(J::Number),
       Label(form5::kVoxGain, "Form5", "Label10", "Combo7")},
      {"optionalFunctions.voxDelay", S::OptionalFunctions, addr::kVoxDelay, Byte(0, 5), Option(7),
       "1", List(form5::kVoxDelayList), Json(J::Number),
       Label(form5::kVoxDelay, "Form5", "Label9", "Combo8")},
      {"optionalFunctions.voxTone", S::OptionalFunctions, addr::kVoxTone, Byte(0, 1), Option(8),
       "1", List(kOffOnList), Json(J::Flag), Label(form5::kVoxTone, "Form5", "Label7", "Combo9")},
      {"optionalFunctions.cancelOperation", S::OptionalFunctions, addr::kCancelOperation,
       Byte(0, 1), Option(22), "1", CheckBox(), Json(J::Flag),
       Label(form5::kCancelOperation, "Form5", "Check3", "Check3")},
      {"optionalFunctions.rxBlocksVox", S::OptionalFunctions, addr::kRxBlocksVox, Byte(0, 1),
       Option(23), "1", CheckBox(), Json(J::Flag),
       Label(form5::kRxBlocksVox, "Form5", "Check4", "Check4")},
      {"optionalFunctions.pttId", S::OptionalFunctions, addr::kPttId, Byte(0, 2), Option(3), "1",
       List(form5::kPttIdList), Json(J::Number), Label(form5::kPttId, "Form5", "Label4", "Combo4")},
      {"optionalFunctions.duplicate", S::OptionalFunctions, addr::kDuplicate,
       Encoded(E::TopBit, 0, 1), Option(9), "1", List(kOffOnList), Json(J::Flag),
       Label(form5::kDuplicate, "Form5", "Label11", "Combo10")},
      {"optionalFunctions.priority", S::OptionalFunctions, addr::kPriority, Byte(0, 2), Option(10),
       "0", List(form5::kPriorityList), Json(J::Number),
       Label(form5::kPriority, "Form5", "Label14", "Combo11"), FieldRule::PriorityMode},
      {"optionalFunctions.priorityChannel", S::OptionalFunctions, addr::kPriorityChannel,
       Byte(1, kChannelCount), Option(11), "1", ListByRule(TwoDigitNumber, kChannelCount, 1),
       Json(J::Number), Label(form5::kPriorityChannel, "Form5", "Label15", "Combo12"),
       FieldRule::PriorityChannel},
      {"optionalFunctions.retraceTimeA", S::OptionalFunctions, addr::kRetraceA,
       Encoded(E::EmptyAsFF, 0, form5::kRetraceCount - 1), Option(12), "1",
       ListByRule(form5::RetraceEntry, form5::kRetraceCount), Json(J::Number),
       Label(form5::kRetraceA, "Form5", "Label17", "Combo13")},
      {"optionalFunctions.retraceTimeB", S::OptionalFunctions, addr::kRetraceB,
       Encoded(E::EmptyAsFF, 0, form5::kRetraceCount - 1), Option(13), "1",
       ListByRule(form5::RetraceEntry, form5::kRetraceCount), Json(J::Number),
       Label(form5::kRetraceB, "Form5", "Label16", "Combo14")},
      {"optionalFunctions.returnChannel", S::OptionalFunctions, addr::kReturnChannel, Byte(0, 3),
       Option(14), "1", List(form5::kReturnChannelList), Json(J::Number),
       Label(form5::kReturnChannel, "Form5", "Label18", "Combo15")},
      {"optionalFunctions.scanRxDelaySeconds", S::OptionalFunctions, addr::kScanRxDelay,
       Encoded(E::U16le, 0, kScanDelayMaximum, 2), Option(18), "",
       WholeNumber(0, kScanDelayMaximum), Json(J::Number),
       Label(form5::kScanRxDelay, "Form5", "Label19", "Text5"), FieldRule::ScanDelay},
      {"optionalFunctions.scanTxDelaySeconds", S::OptionalFunctions, addr::kScanTxDelay,
       Encoded(E::U16le, 0, kScanDelayMaximum, 2), Option(19), "",
       WholeNumber(0, kScanDelayMaximum), Json(J::Number),
       Label(form5::kScanTxDelay, "Form5", "Label20", "Text6"), FieldRule::ScanDelay},

      // The DTMF group: no window shows it; its texts are Simplified only.
      {"dtmf.rate", S::Dtmf, addr::kDtmfRate, Byte(0, 3), Index(0), "0", List(form5::kDtmfRateList),
       Json(J::Number), Plain(form5::kDtmfRate)},
      {"dtmf.firstDigitTime", S::Dtmf, addr::kFirstDigitTime, Byte(0, 3), Index(1), "1",
       List(form5::kMsList), Json(J::Number), Plain(form5::kFirstDigitTime)},
      {"dtmf.firstDigitDelayMs", S::Dtmf, addr::kFirstDigitDelay, Encoded(E::Tens, 100, 1000),
       Index(2), "0", WithOutside(ListByRule(MillisecondsText, 19, 100, 50), Outside::ByRule),
       Json(J::Number), Plain(form5::kFirstDigitDelay)},
      {"dtmf.starHashTone", S::Dtmf, addr::kStarHashTone, Byte(0, 3), Index(3), "1",
       List(form5::kMsList), Json(J::Number), Plain(form5::kStarHashTone)},
      {"dtmf.dKey", S::Dtmf, addr::kDKey, Byte(0, 16), Index(4), "1", ListByRule(DKeyText, 17),
       Json(J::Number), Plain(form5::kDKey)},
      {"dtmf.sideTone", S::Dtmf, addr::kDtmfSideTone, Byte(0, 1), Index(5), "1",
       SimplifiedOnly(List(kOffOnList)), Json(J::Flag), Plain(form5::kDtmfSideTone)},
      {"dtmf.groupCall", S::Dtmf, addr::kGroupCall, Encoded(E::DigitCharacter, 0, 6), Index(6), "0",
       List(form5::kGroupCallList), Json(J::Number), Plain(form5::kGroupCall)},
      {"dtmf.autoResetTimer", S::Dtmf, addr::kAutoReset, Byte(0, 15), Index(7), "0",
       ListByRule(AutoResetText, 16), Json(J::Number), Plain(form5::kAutoReset)},
      {"dtmf.memoryCodes.#",
       S::Dtmf,
       addr::kDtmfCodes,
       Encoded(E::DtmfCode, 0, 0, kDtmfCodeSize),
       Held(H::DtmfMemoryCode),
       nullptr,
       Characters(kDtmfCharacters),
       Json(J::Text),
       Plain(form5::kAutoDialMemory, CaptionForm::TextNumber),
       FieldRule::None,
       {8, kDtmfCodeSize}},

      {"keys.pf1",
       S::Keys,
       addr::kPf1Key,
       Byte(0, 11),
       Held(H::Pf1KeyFunction),
       nullptr,
       WithOutside(List(form6::kKeyFunctions), Outside::Entry, 1),
       Json(J::Number),
       {{"PF1", "PF1"}, true, CaptionForm::Text, "Form6", "Label1", "Combo1"}},
      {"keys.pf2",
       S::Keys,
       addr::kPf2Key,
       Byte(0, 11),
       Held(H::Pf2KeyFunction),
       nullptr,
       WithOutside(List(form6::kKeyFunctions), Outside::Entry, 1),
       Json(J::Number),
       {{"PF2", "PF2"}, true, CaptionForm::Text, "Form6", "Label2", "Combo2"}},

      {"powerLevels.high", S::PowerLevels, addr::kTxPowerHigh, Byte(0, 255),
       Held(H::TxPowerHighLevel), nullptr, WholeNumber(0, 255), Json(J::Number),
       Label(form2::kHighFrame, "Form2", "Frame1", "Slider1"), FieldRule::PowerLevel},
      {"powerLevels.low", S::PowerLevels, addr::kTxPowerLow, Byte(0, 255), Held(H::TxPowerLowLevel),
       nullptr, WholeNumber(0, 255), Json(J::Number),
       Label(form2::kLowFrame, "Form2", "Frame2", "Slider3"), FieldRule::PowerLevel},

      {"testFrequencies.#.rx",
       S::TestFrequencies,
       addr::kTestFrequencies,
       Encoded(E::Freq4, 0, 0, 4),
       Held(H::TestFrequency, 0),
       nullptr,
       Of(EntryKind::TestFrequency),
       Json(J::Frequency),
       {form4::kHeaders[1], false, CaptionForm::NumberText, "Form4", "mfgrid1", "mfgrid1"},
       FieldRule::TestFrequency,
       {kChannelCount, 8}},
      {"testFrequencies.#.tx",
       S::TestFrequencies,
       addr::kTestFrequencies + 4,
       Encoded(E::Freq4, 0, 0, 4),
       Held(H::TestFrequency, 1),
       nullptr,
       Of(EntryKind::TestFrequency),
       Json(J::Frequency),
       {form4::kHeaders[2], false, CaptionForm::NumberText, "Form4", "mfgrid1", "mfgrid1"},
       FieldRule::TestFrequency,
       {kChannelCount, 8}},

      {"embeddedInfo.#",
       S::EmbeddedInfo,
       addr::kEmbeddedInfo,
       Encoded(E::Text, 0, 0, kEmbeddedInfoSize),
       Held(H::EmbeddedInfo),
       nullptr,
       Characters(nullptr),
       Json(J::Text),
       {{"", ""}, true, CaptionForm::Number, "Form7", nullptr, "Text#"},
       FieldRule::None,
       {2, kEmbeddedInfoSize}},

      // Carried from a read to the next write; no window shows them.
      {"carried.optionText15", S::Carried, addr::kOptionText15, Encoded(E::Bytes, 0, 0, 10),
       Option(15), nullptr, Of(EntryKind::Hex), Json(J::Hex), Plain("OptionText(15)")},
      {"carried.optionText16", S::Carried, addr::kOptionText16, Encoded(E::Text, 0, 0, 16),
       Option(16), "1", Of(EntryKind::Hex), Json(J::Hex), Plain("OptionText(16)")},
      {"carried.optionText17", S::Carried, addr::kOptionText17, Encoded(E::Text, 0, 0, 16),
       Option(17), "2", Of(EntryKind::Hex), Json(J::Hex), Plain("OptionText(17)")},
  });
}();

}  // namespace kv3

namespace kv3 {

// The channel record's values: their keys (JSON, kv3ctl get/set, show
// --json) and columns of the channel grid Grid1. Column 0 is the channel's
// number.
enum class ChannelValue : uint8_t { Frequency, Tone, Choice, Flag };

struct ChannelColumn {
  const char* key;
  int gridColumn;
  ChannelValue value;
  // Choice: the JSON words of list entries 0 and 1.
  std::array<const char*, 2> words = {nullptr, nullptr};
};

inline constexpr const char* kChannelNumberKey = "channel";
inline constexpr std::array<ChannelColumn, 8> kChannelColumns{{
    {"rxFrequency", 1, ChannelValue::Frequency},
    {"rxTone", 2, ChannelValue::Tone},
    {"txFrequency", 3, ChannelValue::Frequency},
    {"txTone", 4, ChannelValue::Tone},
    {"power", 5, ChannelValue::Choice, {"low", "high"}},
    {"txInhibit", 6, ChannelValue::Choice, {"off", "carrier"}},
    {"bandwidth", 7, ChannelValue::Choice, {"narrow", "wide"}},
    {"scan", 8, ChannelValue::Flag},
}};

// The key of a grid column (0: "channel").
const char* GridColumnKey(int column);

// One field: a row, and for a repeated row its number (1..count).
struct FieldRef {
  const FieldRow* row = nullptr;
  int number = 1;

  std::string Key() const;         // "testFrequencies.3.rx"
  constexpr int Address() const {  // radio address of its first byte
    return row->address + (number - 1) * row->repeat.stride;
  }
  friend bool operator==(const FieldRef&, const FieldRef&) = default;
};

// Every field, in the order of the JSON format (repeated records number by
// number).
const std::vector<FieldRef>& AllFields();
// The field of a key ("dtmf.memoryCodes.3"); nullopt for a key of no field.
std::optional<FieldRef> FindField(std::string_view key);
// A row by its key, when the program is compiled: a key of no row does not compile.
consteval const FieldRow& FieldOf(std::string_view key) {
  for (const FieldRow& row : kFieldRows)
    if (std::string_view(row.key) == key) return row;
  throw "no field has this key";
}
constexpr FieldRef Field(const FieldRow& row, int number = 1) {
  return {&row, number};
}

// Values as the editor holds them. Whole-number fields (every holder but
// the texts and the test frequencies):
// - the number as the encoder takes it: a decimal text is read as Visual
//   Basic's Val reads it;
double HeldNumber(const EditorState& state, const FieldRef& field);
// - the same as a whole number (Val rounded and kept within 0..65535; -1 is
//   a list without a selection);
int FieldValue(const EditorState& state, const FieldRef& field);
// - stores a number (a decimal text for OptionText).
void SetFieldValue(EditorState& state, const FieldRef& field, int value);
// The same for the fields that live in the shared values (every holder but
// the band and the function settings).
double HeldNumber(const SharedValues& shared, const FieldRef& field);
int FieldValue(const SharedValues& shared, const FieldRef& field);
void SetFieldValue(SharedValues& shared, const FieldRef& field, int value);
// The text an OptionText field holds; nullptr for other holders.
const std::string* HeldText(const EditorState& state, const FieldRef& field);
const std::string* HeldText(const SharedValues& shared, const FieldRef& field);
// Text fields (Text, Bytes, DtmfCode): the bytes, one char each.
const std::string& FieldBytes(const EditorState& state, const FieldRef& field);
std::string& FieldBytes(EditorState& state, const FieldRef& field);
// Frequency fields.
const Freq4& FieldFrequency(const EditorState& state, const FieldRef& field);
Freq4& FieldFrequency(EditorState& state, const FieldRef& field);

// Lists: the position of a value (-1 when no entry stands for it), the
// value of a position, and an entry's text in a language.
int ListPosition(const FieldEntry& entry, int value);
int ListValue(const FieldEntry& entry, int position);
std::string EntryText(const FieldEntry& entry, int position, Language lang);

// What the field's window shows of its value, in a language.
std::string ShownText(const EditorState& state, const FieldRef& field, Language lang);
// The caption beside it ("VOX增益电平", "03 接收频率", "自动拨号存储器 3").
std::string CaptionText(const FieldRef& field, Language lang);
// A section's caption.
std::string SectionCaption(FieldSection section, Language lang);

// Stores the start-up value of every field that has one.
void ApplyStartupValues(EditorState& state);

// The accessors the codec runs for every field, inline so that a loop over
// the rows known at compile time folds to plain loads and stores.
[[gnu::always_inline]] inline void SetFieldValue(EditorState& state, const FieldRef& field,
                                                 int value) {
  const Slot& slot = field.row->slot;
  switch (slot.holder) {
    case Holder::Band:
      SelectBandSilently(state.band, value);
      break;
    case Holder::Setting:
      SettingsPosition(state.settings, static_cast<SettingsList>(slot.index)) = value;
      break;
    default:
      SetFieldValue(state.shared, field, value);
      break;
  }
}

[[gnu::always_inline]] inline void SetFieldValue(SharedValues& s, const FieldRef& field,
                                                 int value) {
  const Slot& slot = field.row->slot;
  switch (slot.holder) {
    case Holder::OptionText:
      s.OptionText[slot.index] = std::to_string(value);
      break;
    case Holder::OptionIndex:
      s.OptionIndex[slot.index] = value;
      break;
    case Holder::Pf1KeyFunction:
      s.Pf1KeyFunction = value;
      break;
    case Holder::Pf2KeyFunction:
      s.Pf2KeyFunction = value;
      break;
    case Holder::TxPowerHighLevel:
      s.TxPowerHighLevel = value;
      break;
    case Holder::TxPowerLowLevel:
      s.TxPowerLowLevel = value;
      break;
    default:
      break;
  }
}

inline const std::string& FieldBytes(const EditorState& state, const FieldRef& field) {
  return FieldBytes(const_cast<EditorState&>(state), field);
}

[[gnu::always_inline]] inline std::string& FieldBytes(EditorState& state, const FieldRef& field) {
  SharedValues& s = state.shared;
  switch (field.row->slot.holder) {
    case Holder::DtmfMemoryCode:
      return s.DtmfMemoryCodes[field.number - 1];
    case Holder::EmbeddedInfo:
      return s.EmbeddedInfoText[field.number - 1];
    default:
      return s.OptionText[field.row->slot.index];
  }
}

inline const Freq4& FieldFrequency(const EditorState& state, const FieldRef& field) {
  return FieldFrequency(const_cast<EditorState&>(state), field);
}

[[gnu::always_inline]] inline Freq4& FieldFrequency(EditorState& state, const FieldRef& field) {
  return state.shared.TestFrequencyTable[field.number - 1][field.row->slot.index];
}

}  // namespace kv3
