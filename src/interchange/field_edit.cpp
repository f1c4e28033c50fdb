#include "interchange/field_edit.h"

#include <cctype>

#include "dialogs/dialog_messages.h"
#include "dialogs/embedded_info.h"
#include "dialogs/optional_functions.h"
#include "dialogs/test_frequencies.h"
#include "editor/grid_text.h"
#include "i18n/messages.h"
#include "image/hex.h"
#include "interchange/entry_checks.h"
#include "interchange/field_json.h"

namespace kv3 {

namespace {

constexpr Language kLanguages[] = {Language::Simplified, Language::English, Language::Traditional};

std::string JsonText(const OrderedJson& v) {
  if (v.is_string()) return EscapeControls(v.get<std::string>());
  return v.dump();
}

// A whole number written plainly: digits, a minus sign before them.
std::optional<int> WholeNumber(std::string_view text) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  int v = std::stoi(std::string(text));
  return negative ? -v : v;
}

// The value a list field's text names: its form in the JSON format, or the
// text of an entry in any language.
std::optional<int> ListValueOf(const FieldRow& row, std::string_view text) {
  switch (row.json.form) {
    case JsonForm::Flag:
      if (text == "true" || text == "false") return text == "true" ? 1 : 0;
      break;
    case JsonForm::Name:
      for (int k = 0; k < row.entry.count; ++k)
        if (text == row.json.names[k]) return k;
      break;
    case JsonForm::Multiple:
      if (std::optional<int> v = WholeNumber(text); v && *v % row.json.scale == 0)
        return *v / row.json.scale - 1;
      break;
    default:
      if (std::optional<int> v = WholeNumber(text)) return v;
      break;
  }
  for (int p = 0; p < row.entry.count; ++p)
    for (Language lang : kLanguages)
      if (EntryText(row.entry, p, lang) == text) return ListValue(row.entry, p);
  return std::nullopt;
}

// The value of a list's entry in the JSON format's form.
std::string JsonFormOf(const FieldRow& row, int value) {
  switch (row.json.form) {
    case JsonForm::Flag:
      return value ? "true" : "false";
    case JsonForm::Name:
      return row.json.names[value];
    case JsonForm::Multiple:
      return std::to_string((value + 1) * row.json.scale);
    default:
      return std::to_string(value);
  }
}

const FieldRow* RowWithRule(FieldRule rule) {
  for (const FieldRow& row : kFieldRows)
    if (row.rule == rule) return &row;
  return nullptr;
}

// The start-up value of a list that no entry shows (the first digit delay's
// 0): a new codeplug holds it, so it may be given back.
bool IsStartupValue(const FieldRow& row, int value) {
  return row.startup && *row.startup && value == static_cast<int>(Val(row.startup));
}

FieldEditResult Refused(const FieldRef& field, const std::string& why) {
  return {false, field.Key() + ": " + why};
}

FieldEditResult Quoted(const FieldRef& field, std::string_view value, const std::string& why) {
  return {false, field.Key() + ": '" + std::string(value) + "' " + why};
}

FieldEditResult SetListValue(EditorState& state, const FieldRef& field, std::string_view text,
                             FieldEditContext& context) {
  const FieldRow& row = *field.row;
  std::optional<int> v = ListValueOf(row, text);
  if (!v || (ListPosition(row.entry, *v) < 0 && !IsStartupValue(row, *v)))
    return Quoted(field, text, "is none of " + AllowedValues(field, context.lang));
  switch (row.rule) {
    case FieldRule::PriorityMode: {
      PriorityOutcome o = PriorityModeChosen(*v, state.grid, context.FixedPriorityChannel);
      if (o.message == PriorityMessage::FixedNeedsChannel)
        return Refused(field, Localize(msg::kFixedNeedsChannel, context.lang));
      // "固定" picks the first programmed channel.
      if (const FieldRow* channel = RowWithRule(FieldRule::PriorityChannel); o.Combo12 >= 0)
        SetFieldValue(state, Field(*channel), ListValue(channel->entry, o.Combo12));
      break;
    }
    case FieldRule::PriorityChannel: {
      const FieldRow* mode = RowWithRule(FieldRule::PriorityMode);
      PriorityOutcome o =
          PriorityChannelChosen(FieldValue(state, Field(*mode)), ListPosition(row.entry, *v),
                                state.grid, context.FixedPriorityChannel);
      if (o.message == PriorityMessage::EmptyChannelChosen)
        return Refused(field, Localize(msg::kEmptyChannelChosen, context.lang));
      break;
    }
    default:
      break;
  }
  SetFieldValue(state, field, *v);
  return {};
}

FieldEditResult SetWholeNumber(EditorState& state, const FieldRef& field, std::string_view text,
                               FieldEditContext& context) {
  const FieldRow& row = *field.row;
  int v = 0;
  if (row.rule == FieldRule::ScanDelay) {
    if (!ParseScanDelay(text, v))
      return Refused(field, ScanDelayMessage(row.caption.control == std::string_view("Text6")
                                                 ? OptionalFunctionsStore::BadTransmitDelay
                                                 : OptionalFunctionsStore::BadReceiveDelay,
                                             context.lang));
  } else {
    if (row.rule == FieldRule::PowerLevel && !context.tuning)
      return Refused(field,
                     "the power levels move only while the maintenance features are unlocked: "
                     "give --tuning");
    std::optional<int> n = WholeNumber(text);
    if (!n || *n < row.entry.first || *n > row.entry.last)
      return Quoted(field, text,
                    "is not a whole number from " + std::to_string(row.entry.first) + " to " +
                        std::to_string(row.entry.last));
    v = *n;
  }
  SetFieldValue(state, field, v);
  return {};
}

// A text as get shows it back to what it stands for: \\ is a backslash and
// \xNN the character NN; another backslash stays as it is.
std::string Unescaped(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      out.push_back('\\');
      ++i;
    } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
               std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
               std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
      out += Latin1ToUtf8(std::string(
          1, static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16))));
      i += 3;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

FieldEditResult SetCharacters(EditorState& state, const FieldRef& field, std::string_view shown) {
  const FieldRow& row = *field.row;
  const std::string text = Unescaped(shown);
  std::string bytes;
  if (row.entry.characters) {
    if (text.find_first_not_of(row.entry.characters) != std::string_view::npos)
      return Quoted(field, shown,
                    "holds characters a DTMF code cannot: only 0-9, A-D, * and # are taken");
    bytes = text;
  } else if (!EmbeddedInfoBytes(text, bytes)) {
    return Quoted(field, shown,
                  "holds a character the box does not take: only printable Latin-1 characters "
                  "have a byte in the radio");
  }
  if (bytes.size() > row.image.size)
    return Quoted(field, shown, "is longer than " + std::to_string(row.image.size) + " characters");
  FieldBytes(state, field) = bytes;
  return {};
}

FieldEditResult SetTestFrequency(EditorState& state, const FieldRef& field, std::string_view text,
                                 FieldEditContext& context) {
  // The row of the dialog's grid: the receive and transmit field of the test channel.
  const FieldRow* rows[2] = {nullptr, nullptr};
  for (const FieldRow& row : kFieldRows)
    if (row.section == field.row->section) rows[row.slot.index] = &row;
  Freq4& rx = FieldFrequency(state, Field(*rows[0], field.number));
  Freq4& tx = FieldFrequency(state, Field(*rows[1], field.number));
  TestFrequencyRow row{rx, tx};
  switch (EditTestFrequency(row, field.row->slot.index + 1, text)) {
    case TestFrequencyEdit::NotAFrequency:
      return Quoted(field, text, Localize(msg::kTestFrequencyInvalid, context.lang));
    case TestFrequencyEdit::NotEditable:
      return Refused(field, "test channel " + std::to_string(field.number) +
                                " has no receive frequency: give " +
                                Field(*rows[0], field.number).Key() + " first");
    default:
      rx = row.rx;
      tx = row.tx;
      return {};
  }
}

std::string Series(int first, int step, int last) {
  if (step == 1) return std::to_string(first) + ".." + std::to_string(last);
  return std::to_string(first) + ", " + std::to_string(first + step) + ", ... " +
         std::to_string(last);
}

}  // namespace

std::string ChannelKey(int channel, const ChannelColumn& column) {
  return "channels." + std::to_string(channel) + "." + column.key;
}

std::optional<CodeplugKey> ParseCodeplugKey(std::string_view key) {
  if (std::optional<FieldRef> f = FindField(key)) return CodeplugKey{f};
  for (int n = 1; n <= kChannelCount; ++n)
    for (const ChannelColumn& column : kChannelColumns)
      if (ChannelKey(n, column) == key) return CodeplugKey{std::nullopt, n, &column};
  return std::nullopt;
}

std::vector<std::string> CodeplugKeys(const EditorState& state) {
  std::vector<std::string> keys;
  for (const FieldRef& f : AllFields())
    if (f.row->section == FieldSection::Band) keys.push_back(f.Key());
  for (int n = 1; n <= kChannelCount; ++n)
    if (!state.grid.channels[n - 1].empty())
      for (const ChannelColumn& column : kChannelColumns) keys.push_back(ChannelKey(n, column));
  for (const FieldRef& f : AllFields())
    if (f.row->section != FieldSection::Band) keys.push_back(f.Key());
  return keys;
}

std::optional<std::string> ValueText(const EditorState& state, std::string_view key) {
  std::optional<CodeplugKey> k = ParseCodeplugKey(key);
  if (!k) return std::nullopt;
  if (k->field) return JsonText(FieldToJson(state, *k->field));
  const Channel& ch = state.grid.channels[k->channel - 1];
  // An empty channel shows blank cells.
  if (ch.empty()) return std::string();
  return JsonText(ChannelToJson(ch, *k->column));
}

std::string AllowedValues(const FieldRef& field, Language lang) {
  const FieldRow& row = *field.row;
  const FieldEntry& e = row.entry;
  switch (e.kind) {
    case EntryKind::List: {
      if (row.slot.holder == Holder::Band) {
        std::string text;
        for (int b = 0; b < kBandCount; ++b) text += (b ? "|" : "") + std::string(kBands[b].text);
        return text + " (another band clears the channels: --yes confirms)";
      }
      std::string values;
      if (row.json.form == JsonForm::Flag || row.json.form == JsonForm::Name) {
        for (int p = 0; p < e.count; ++p)
          values += (p ? "|" : "") + JsonFormOf(row, ListValue(e, p));
      } else {
        const int scale = row.json.form == JsonForm::Multiple ? row.json.scale : 1;
        const int offset = row.json.form == JsonForm::Multiple ? 1 : 0;
        values = Series((ListValue(e, 0) + offset) * scale, e.step * scale,
                        (ListValue(e, e.count - 1) + offset) * scale);
      }
      // The entries the window shows; a long list by its ends.
      std::string shown;
      for (int p = 0; p < e.count; ++p) {
        if (e.count > 12 && p >= 2 && p < e.count - 1) {
          if (p == 2) shown += ", ...";
          continue;
        }
        shown += (p ? ", " : "") + EntryText(e, p, lang);
      }
      if (row.startup && *row.startup && ListPosition(e, static_cast<int>(Val(row.startup))) < 0)
        values += " or " + std::string(row.startup) + ", the start-up value";
      return values + " (" + shown + ")";
    }
    case EntryKind::CheckBox:
      return "false|true";
    case EntryKind::WholeNumber:
      return Series(e.first, 1, e.last) +
             (row.rule == FieldRule::PowerLevel ? " (with --tuning)" : "");
    case EntryKind::Characters:
      return e.characters
                 ? "up to " + std::to_string(row.image.size) + " of " + e.characters
                 : "up to " + std::to_string(row.image.size) + " printable Latin-1 characters";
    case EntryKind::TestFrequency:
      return row.slot.index == 0
                 ? "a frequency in MHz from 100 to 999.99999, moved down onto the 5 kHz or "
                   "6.25 kHz raster, also into the transmit frequency; \"\" empties the test "
                   "channel"
                 : "a frequency in MHz from 100 to 999.99999, moved down onto the raster of "
                   "the receive frequency; \"\" takes the receive frequency";
    case EntryKind::Hex:
      return "the hex digits of up to " + std::to_string(row.image.size) + " bytes" +
             (row.image.encoding == Encoding::Bytes ? "" : " without FF");
  }
  return {};
}

std::string AllowedValues(const ChannelColumn& column, Language lang) {
  switch (column.value) {
    case ChannelValue::Frequency:
      return column.gridColumn == 1
                 ? "a frequency in MHz inside the band, on the 5 kHz or 6.25 kHz raster; \"\" "
                   "deletes the channel"
                 : "a frequency in MHz inside the band, on the 5 kHz or 6.25 kHz raster";
    case ChannelValue::Tone:
      return "off, a CTCSS tone 67.0..254.1 or a DCS code such as D023N or D754I";
    case ChannelValue::Choice:
      return std::string(column.words[0]) + "|" + column.words[1] + " (" +
             ChoiceText(column.gridColumn, 0, lang) + ", " +
             ChoiceText(column.gridColumn, 1, lang) + ")";
    case ChannelValue::Flag:
      return "false|true (" + ChoiceText(column.gridColumn, 0, lang) + ", " +
             ChoiceText(column.gridColumn, 1, lang) + ")";
  }
  return {};
}

FieldEditContext StartEditing(const EditorState& state, Language lang, bool tuning) {
  FieldEditContext context;
  context.lang = lang;
  context.tuning = tuning;
  // Opening the optional functions dialog selects its priority mode, which
  // picks the first programmed channel when the mode is "固定".
  if (const FieldRow* mode = RowWithRule(FieldRule::PriorityMode))
    (void)PriorityModeChosen(FieldValue(state, Field(*mode)), state.grid,
                             context.FixedPriorityChannel);
  return context;
}

FieldEditResult SetFieldText(EditorState& state, const FieldRef& field, std::string_view value,
                             FieldEditContext& context) {
  // The value the field shows already: nothing to take.
  if (ValueText(state, field.Key()) == value) return {};
  // Another band clears the channels, after a question: not a field's edit.
  if (field.row->rule == FieldRule::Band)
    return Refused(field, "the band changes with its question");
  switch (field.row->entry.kind) {
    case EntryKind::List:
      return SetListValue(state, field, value, context);
    case EntryKind::CheckBox:
      if (value != "true" && value != "false") return Quoted(field, value, "is not true or false");
      SetFieldValue(state, field, value == "true" ? 1 : 0);
      return {};
    case EntryKind::WholeNumber:
      return SetWholeNumber(state, field, value, context);
    case EntryKind::Characters:
      return SetCharacters(state, field, value);
    case EntryKind::TestFrequency:
      return SetTestFrequency(state, field, value, context);
    case EntryKind::Hex: {
      std::string why = FieldFromJson(OrderedJson(std::string(value)), field, state);
      if (!why.empty()) return Quoted(field, value, "is " + why);
      return {};
    }
  }
  return {};
}

}  // namespace kv3
