#include "editor/codeplug_fields.h"

#include <cmath>
#include <cstdio>

#include "image/hex.h"

namespace kv3 {

const SectionInfo& InfoOf(FieldSection section) {
  return kSections[static_cast<size_t>(section)];
}

std::string BandEntry(int value, Language) {
  return std::string(kBands[value].text);
}

std::string TwoDigitNumber(int value, Language) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", value);
  return buf;
}

std::string MillisecondsText(int value, Language) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%dMS", value);
  return buf;
}

std::string DKeyText(int value, Language) {
  return form5::DKeyEntry(value);
}

std::string AutoResetText(int value, Language) {
  return form5::AutoResetEntry(value);
}

namespace {

// The part of a key before "#", for the records of repeated rows.
std::string_view RecordOf(const FieldRow& row) {
  std::string_view key(row.key);
  size_t hash = key.find('#');
  return hash == std::string_view::npos ? std::string_view() : key.substr(0, hash);
}

std::vector<FieldRef> MakeAllFields() {
  std::vector<FieldRef> all;
  for (size_t i = 0; i < kFieldRows.size();) {
    const FieldRow& row = kFieldRows[i];
    size_t end = i + 1;
    if (row.repeat.count > 1)
      while (end < kFieldRows.size() && kFieldRows[end].repeat.count == row.repeat.count &&
             RecordOf(kFieldRows[end]) == RecordOf(row))
        ++end;
    for (int n = 1; n <= row.repeat.count; ++n)
      for (size_t k = i; k < end; ++k) all.push_back({&kFieldRows[k], n});
    i = end;
  }
  return all;
}

int ClampedWhole(double v) {
  if (!(v > 0)) return 0;  // also NaN
  if (v >= 65535) return 65535;
  return static_cast<int>(std::nearbyint(v));
}

const std::string kNoBytes;

}  // namespace

std::string FieldRef::Key() const {
  std::string key = row->key;
  if (size_t hash = key.find('#'); hash != std::string::npos)
    key.replace(hash, 1, std::to_string(number));
  return key;
}

const std::vector<FieldRef>& AllFields() {
  static const std::vector<FieldRef> all = MakeAllFields();
  return all;
}

std::optional<FieldRef> FindField(std::string_view key) {
  for (const FieldRef& f : AllFields())
    if (f.Key() == key) return f;
  return std::nullopt;
}

// The numbered slots of the shared values are read and written here only.

double HeldNumber(const EditorState& state, const FieldRef& field) {
  const Slot& slot = field.row->slot;
  switch (slot.holder) {
    case Holder::Band:
      return state.band.index;
    case Holder::Setting:
      return SettingsPosition(state.settings, static_cast<SettingsList>(slot.index));
    default:
      return HeldNumber(state.shared, field);
  }
}

double HeldNumber(const SharedValues& s, const FieldRef& field) {
  const Slot& slot = field.row->slot;
  switch (slot.holder) {
    case Holder::OptionText:
      return Val(s.OptionText[slot.index]);
    case Holder::OptionIndex:
      return s.OptionIndex[slot.index];
    case Holder::Pf1KeyFunction:
      return s.Pf1KeyFunction;
    case Holder::Pf2KeyFunction:
      return s.Pf2KeyFunction;
    case Holder::TxPowerHighLevel:
      return s.TxPowerHighLevel;
    case Holder::TxPowerLowLevel:
      return s.TxPowerLowLevel;
    default:
      return 0;
  }
}

int FieldValue(const EditorState& state, const FieldRef& field) {
  if (field.row->slot.holder == Holder::OptionText) return ClampedWhole(HeldNumber(state, field));
  return static_cast<int>(HeldNumber(state, field));
}

int FieldValue(const SharedValues& shared, const FieldRef& field) {
  if (field.row->slot.holder == Holder::OptionText) return ClampedWhole(HeldNumber(shared, field));
  return static_cast<int>(HeldNumber(shared, field));
}

const std::string* HeldText(const EditorState& state, const FieldRef& field) {
  return HeldText(state.shared, field);
}

const std::string* HeldText(const SharedValues& shared, const FieldRef& field) {
  const Slot& slot = field.row->slot;
  return slot.holder == Holder::OptionText ? &shared.OptionText[slot.index] : nullptr;
}

int ListPosition(const FieldEntry& entry, int value) {
  int offset = value - entry.first;
  if (offset < 0 || offset % entry.step != 0 || offset / entry.step >= entry.count) return -1;
  return offset / entry.step;
}

int ListValue(const FieldEntry& entry, int position) {
  return entry.first + position * entry.step;
}

std::string EntryText(const FieldEntry& entry, int position, Language lang) {
  if (position < 0 || position >= entry.count) return {};
  if (entry.texts)
    return entry.simplifiedOnly ? std::string(entry.texts[position].zh)
                                : Localize(entry.texts[position], lang);
  if (entry.plain) return entry.plain[position];
  if (entry.rule) return entry.rule(ListValue(entry, position), lang);
  return {};
}

namespace {

std::string ListShown(const EditorState& state, const FieldRef& field, Language lang) {
  const FieldEntry& entry = field.row->entry;
  const std::string* text = HeldText(state, field);
  double held = HeldNumber(state, field);
  // A decimal text names an entry when its value is a whole number.
  bool whole = held == std::floor(held) && std::abs(held) < 1e9;
  int position = whole ? ListPosition(entry, static_cast<int>(held)) : -1;
  if (position >= 0) return EntryText(entry, position, lang);
  switch (entry.outside) {
    case Outside::Blank:
      return {};
    case Outside::Entry:
      return EntryText(entry, entry.outsideEntry, lang);
    case Outside::ByRule:
      return entry.rule(static_cast<int>(held), lang);
    case Outside::Held:
      break;
  }
  return text ? *text : std::to_string(static_cast<int>(held));
}

}  // namespace

std::string ShownText(const EditorState& state, const FieldRef& field, Language lang) {
  const FieldRow& row = *field.row;
  switch (row.entry.kind) {
    case EntryKind::List:
      return ListShown(state, field, lang);
    case EntryKind::CheckBox:
      return HeldNumber(state, field) != 0 ? "[x]" : "[ ]";
    case EntryKind::WholeNumber: {
      const std::string* text = HeldText(state, field);
      return text ? *text : std::to_string(FieldValue(state, field));
    }
    case EntryKind::Characters:
      return Latin1ToUtf8(FieldBytes(state, field));
    case EntryKind::TestFrequency:
      return FrequencyText(FieldFrequency(state, field));
    case EntryKind::Hex: {
      const std::string& bytes = FieldBytes(state, field);
      return BytesToHexText(
          std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }
  }
  return {};
}

std::string CaptionText(const FieldRef& field, Language lang) {
  const FieldCaption& c = field.row->caption;
  std::string text = c.plain ? std::string(c.text.zh) : Localize(c.text, lang);
  switch (c.form) {
    case CaptionForm::Text:
      return text;
    case CaptionForm::TextNumber:
      return text + " " + std::to_string(field.number);
    case CaptionForm::NumberText:
      return TwoDigitNumber(field.number, lang) + " " + text;
    case CaptionForm::Number:
      return std::to_string(field.number);
  }
  return text;
}

std::string SectionCaption(FieldSection section, Language lang) {
  const SectionInfo& info = InfoOf(section);
  return info.plain ? std::string(info.caption.zh) : Localize(info.caption, lang);
}

const char* GridColumnKey(int column) {
  for (const ChannelColumn& c : kChannelColumns)
    if (c.gridColumn == column) return c.key;
  return kChannelNumberKey;
}

void ApplyStartupValues(EditorState& state) {
  for (const FieldRef& f : AllFields()) {
    const char* startup = f.row->startup;
    if (!startup) continue;
    if (f.row->slot.holder == Holder::OptionText)
      state.shared.OptionText[f.row->slot.index] = startup;
    else
      SetFieldValue(state, f, static_cast<int>(Val(startup)));
  }
  // The slots that no field uses start as "1", as they always have.
  for (int k : {0, 1, 2, 4, 20, 21}) state.shared.OptionText[k] = "1";
}

}  // namespace kv3
