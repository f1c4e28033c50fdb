#include "interchange/field_json.h"

#include <vector>

#include "editor/grid_edit.h"
#include "image/hex.h"

namespace kv3 {

namespace {

std::string HexOf(const std::string& bytes) {
  return BytesToHexText(
      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

// The range of whole numbers a field takes: those the decoder gives, and
// its start-up value.
ValueRange JsonRange(const FieldRow& row) {
  ValueRange r = row.image.decode;
  if (row.startup && row.slot.holder != Holder::OptionText) {
    int startup = static_cast<int>(Val(row.startup));
    r.lo = std::min(r.lo, startup);
    r.hi = std::max(r.hi, startup);
  }
  return r;
}

// A whole number the image can carry back as it is (or the start-up value).
bool Carried(const FieldRow& row, int v) {
  if (row.startup && v == static_cast<int>(Val(row.startup))) return true;
  if (row.image.encoding == Encoding::Tens) return v % 10 == 0 && v >= row.image.decode.lo;
  return true;
}

std::string WholeNumberProblem(const FieldRow& row) {
  ValueRange r = JsonRange(row);
  return "not a whole number from " + std::to_string(r.lo) + " to " + std::to_string(r.hi) +
         (row.json.nullable ? " (or null)" : "");
}

std::string NotCarriedProblem(const FieldRow& row) {
  const ValueRange& r = row.image.decode;
  return "not " + std::to_string(r.lo) + ", " + std::to_string(r.lo + 10) + ", ... " +
         std::to_string(r.hi) + " milliseconds (or " + row.startup + ")";
}

std::string NamesProblem(const FieldRow& row) {
  std::string text = "not ";
  const int count = row.image.decode.hi - row.image.decode.lo + 1;
  for (int k = 0; k < count; ++k) {
    if (k > 0) text += k + 1 == count && !row.json.nullable ? " or " : ", ";
    text += "\"" + std::string(row.json.names[k]) + "\"";
  }
  return text + (row.json.nullable ? " or null" : "");
}

std::string MultipleProblem(const FieldRow& row) {
  const int s = row.json.scale;
  return "not " + std::to_string(s) + ", " + std::to_string(2 * s) + ", ... " +
         std::to_string((row.image.decode.hi + 1) * s) + " " + row.json.unit +
         (row.json.nullable ? ", or null" : "");
}

// A byte string from its Latin-1 text: false for characters beyond Latin-1,
// a text longer than the field, and a byte the field cannot carry.
bool ParseByteText(const std::string& utf8, const FieldRow& row, std::string& out) {
  std::string bytes;
  if (!Utf8ToLatin1(utf8, bytes) || bytes.size() > row.image.size) return false;
  // 0xFF ends a text; 0x3A is how a DTMF code holds "0".
  std::string_view cannot = row.image.encoding == Encoding::DtmfCode ? std::string_view(":\xFF", 2)
                                                                     : std::string_view("\xFF", 1);
  if (bytes.find_first_of(cannot) != std::string::npos) return false;
  out = bytes;
  return true;
}

std::string TextProblem(const FieldRow& row) {
  return "not a text of at most " + std::to_string(row.image.size) +
         (row.image.encoding == Encoding::DtmfCode ? " characters" : " Latin-1 characters");
}

}  // namespace

std::string ToneJsonText(const Tone& t) {
  if (t.IsSet()) return SetToneText(t);
  return "off";
}

bool ParseToneJsonText(const std::string& text, Tone& out) {
  if (text == "off") {
    out = Tone::Off();
    return true;
  }
  if (text.size() == 5 && text[0] == 'D' && (text[4] == 'N' || text[4] == 'I')) {
    uint16_t code = 0;
    for (int i = 1; i <= 3; ++i) {
      if (text[i] < '0' || text[i] > '7') return false;
      code = static_cast<uint16_t>(code * 8 + (text[i] - '0'));
    }
    out = Tone::Dcs(code, text[4] == 'I');
    return true;
  }
  size_t point = text.find('.');
  if (point == std::string::npos || point == 0 || point + 2 != text.size() || point > 4)
    return false;
  uint32_t tenths = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == point) continue;
    if (text[i] < '0' || text[i] > '9') return false;
    tenths = tenths * 10 + static_cast<uint32_t>(text[i] - '0');
  }
  // A word whose first hex digit is 2 or A is a DCS word, and FFFF is off.
  unsigned first = tenths >> 12;
  if (tenths >= 0xFFFF || first == 0x2 || first == 0xA) return false;
  out = Tone::Ctcss(static_cast<uint16_t>(tenths));
  return true;
}

bool ParseFrequencyField(const std::string& text, Freq4& out) {
  if (text.empty()) {
    out = kNoFrequency;
    return true;
  }
  if (text.size() != 9 || text[3] != '.') return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == 3) continue;
    char c = text[i];
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  out = Freq4FromText(text);
  return true;
}

OrderedJson ChannelToJson(const Channel& ch, const ChannelColumn& column) {
  switch (column.value) {
    case ChannelValue::Frequency:
      return FrequencyText(column.gridColumn == 1 ? ch.rx : ch.tx);
    case ChannelValue::Tone:
      return ToneJsonText(column.gridColumn == 2 ? ch.rxTone : ch.txTone);
    case ChannelValue::Choice:
      return column.words[ChoiceCell(ch, column.gridColumn) == 0 ? 0 : 1];
    case ChannelValue::Flag:
      return ChoiceCell(ch, column.gridColumn) == 1;
  }
  return nullptr;
}

OrderedJson FieldToJson(const EditorState& state, const FieldRef& field) {
  const FieldRow& row = *field.row;
  switch (row.json.form) {
    case JsonForm::Number:
    case JsonForm::Flag:
    case JsonForm::Name:
    case JsonForm::Multiple: {
      const int v = FieldValue(state, field);
      if (row.json.nullable && v < 0) return nullptr;
      if (row.json.form == JsonForm::Flag) return v != 0;
      if (row.json.form == JsonForm::Multiple) return (v + 1) * row.json.scale;
      if (row.json.form == JsonForm::Name)
        return v <= row.image.decode.hi ? OrderedJson(row.json.names[v]) : OrderedJson(nullptr);
      return v;
    }
    case JsonForm::Text:
      return Latin1ToUtf8(FieldBytes(state, field));
    case JsonForm::Frequency:
      return FrequencyText(FieldFrequency(state, field));
    case JsonForm::Hex:
      return HexOf(FieldBytes(state, field));
    case JsonForm::BandText: {
      int band = state.band.index >= 0 && state.band.index < kBandCount ? state.band.index : 0;
      return std::string(kBands[band].text);
    }
  }
  return nullptr;
}

std::string FieldFromJson(const OrderedJson& v, const FieldRef& field, EditorState& state) {
  const FieldRow& row = *field.row;
  switch (row.json.form) {
    case JsonForm::Number: {
      if (row.json.nullable && v.is_null()) return SetFieldValue(state, field, -1), "";
      ValueRange r = JsonRange(row);
      if (!v.is_number_integer() || v.get<int64_t>() < r.lo || v.get<int64_t>() > r.hi)
        return WholeNumberProblem(row);
      if (!Carried(row, v.get<int>())) return NotCarriedProblem(row);
      SetFieldValue(state, field, v.get<int>());
      return "";
    }
    case JsonForm::Flag:
      if (row.json.nullable && v.is_null()) return SetFieldValue(state, field, -1), "";
      if (!v.is_boolean())
        return row.json.nullable ? "not true, false or null" : "not true or false";
      SetFieldValue(state, field, v.get<bool>() ? 1 : 0);
      return "";
    case JsonForm::Name:
      if (row.json.nullable && v.is_null()) return SetFieldValue(state, field, -1), "";
      for (int k = row.image.decode.lo; k <= row.image.decode.hi && v.is_string(); ++k)
        if (v.get<std::string>() == row.json.names[k]) return SetFieldValue(state, field, k), "";
      return NamesProblem(row);
    case JsonForm::Multiple: {
      if (row.json.nullable && v.is_null()) return SetFieldValue(state, field, -1), "";
      const int s = row.json.scale;
      if (v.is_number_integer() && v.get<int64_t>() >= s &&
          v.get<int64_t>() <= (row.image.decode.hi + 1) * s && v.get<int64_t>() % s == 0) {
        SetFieldValue(state, field, v.get<int>() / s - 1);
        return "";
      }
      return MultipleProblem(row);
    }
    case JsonForm::Text:
      if (!v.is_string() || !ParseByteText(v.get<std::string>(), row, FieldBytes(state, field)))
        return TextProblem(row);
      return "";
    case JsonForm::Frequency: {
      if (!v.is_string()) return "not a text";
      const std::string& f = v.get_ref<const std::string&>();
      if (!ParseFrequencyField(f, FieldFrequency(state, field)))
        return "\"" + f + "\" is not a frequency like 438.12500, or \"\"";
      return "";
    }
    case JsonForm::Hex: {
      if (!v.is_string()) return "not a text";
      const std::string& hex = v.get_ref<const std::string&>();
      const bool ffAllowed = row.image.encoding == Encoding::Bytes;
      std::vector<uint8_t> b;
      bool ok = hex.size() % 2 == 0 && HexTextToBytes(hex, b) && b.size() <= row.image.size;
      for (uint8_t x : b)
        if (x == 0xFF && !ffAllowed) ok = false;
      if (!ok)
        return "not the hex digits of at most " + std::to_string(row.image.size) + " bytes" +
               (ffAllowed ? "" : " without FF");
      FieldBytes(state, field).assign(b.begin(), b.end());
      return "";
    }
    case JsonForm::BandText: {
      if (!v.is_string()) return "not a text";
      const std::string& band = v.get_ref<const std::string&>();
      for (int b = 0; b < kBandCount; ++b)
        if (kBands[b].text == band) return SetFieldValue(state, field, b), "";
      return "\"" + band + "\" is not a band of the list";
    }
  }
  return "not a field of this format";
}

}  // namespace kv3
