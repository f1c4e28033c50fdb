#include "editor/settings_lists.h"

#include "editor/codeplug_fields.h"
#include "image/hex.h"

namespace kv3 {

namespace {

// The field table's row of a list.
const FieldRow& RowOf(SettingsList list) {
  for (const FieldRow& row : kFieldRows)
    if (row.slot.holder == Holder::Setting && row.slot.index == static_cast<int>(list)) return row;
  return kFieldRows.front();
}

}  // namespace

const SettingsListInfo& InfoOf(SettingsList list) {
  static const auto kInfo = [] {
    std::array<SettingsListInfo, kSettingsLists.size()> info{};
    for (SettingsList l : kSettingsLists) {
      const FieldRow& row = RowOf(l);
      info[static_cast<size_t>(l)] = {row.caption.control, row.caption.label, row.caption.text,
                                      row.entry.count, static_cast<int>(Val(row.startup))};
    }
    return info;
  }();
  return kInfo[static_cast<size_t>(list)];
}

std::string SettingsEntry(SettingsList list, int position, Language lang) {
  return EntryText(RowOf(list).entry, position, lang);
}

std::vector<std::string> SettingsEntries(SettingsList list, Language lang) {
  std::vector<std::string> entries;
  for (int k = 0; k < InfoOf(list).count; ++k) entries.push_back(SettingsEntry(list, k, lang));
  return entries;
}

int& SettingsPosition(FunctionSettings& settings, SettingsList list) {
  switch (list) {
    case SettingsList::Combo2:
      return settings.voicePrompt;
    case SettingsList::Combo3:
      return settings.txTimeout;
    case SettingsList::Combo4:
      return settings.preAlert;
    case SettingsList::Combo9:
      return settings.squelch;
    case SettingsList::Combo6:
      return settings.batterySave;
    case SettingsList::Combo7:
      break;
  }
  return settings.beep;
}

int SettingsPosition(const FunctionSettings& settings, SettingsList list) {
  return SettingsPosition(const_cast<FunctionSettings&>(settings), list);
}

bool SelectSetting(FunctionSettings& settings, SettingsList list, int position) {
  if (position < 0 || position >= InfoOf(list).count) return false;
  SettingsPosition(settings, list) = position;
  return true;
}

int StoredSettingValue(SettingsList list, int position) {
  return RowOf(list).image.encoding == Encoding::PositionPlusOne ? position + 1 : position;
}

}  // namespace kv3
