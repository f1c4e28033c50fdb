#include "editor/settings_lists.h"

#include "i18n/texts.h"

namespace kv3 {

const SettingsListInfo& InfoOf(SettingsList list) {
  static const SettingsListInfo kInfo[] = {
      {"Combo2", "Label4", kVoicePromptLabel, 3, 1},
      {"Combo3", "Label5", kTxTimeoutLabel, kTxTimeoutCount, 1},
      {"Combo4", "Label1", kPreAlertLabel, kPreAlertCount, 0},
      {"Combo9", "Label6", kSquelchLabel, kSquelchCount, 5},
      {"Combo6", "Label7", kBatterySaveLabel, 2, 1},
      {"Combo7", "Label8", kBeepLabel, 2, 1},
  };
  return kInfo[static_cast<int>(list)];
}

std::string SettingsEntry(SettingsList list, int position, Language lang) {
  if (position < 0 || position >= InfoOf(list).count) return {};
  switch (list) {
    case SettingsList::Combo2:
      return Localize(kVoicePromptList[position], lang);
    case SettingsList::Combo3:
      return TxTimeoutEntry(position, lang);
    case SettingsList::Combo4:
      return PreAlertEntry(position, lang);
    case SettingsList::Combo9:
      return SquelchEntry(position, lang);
    case SettingsList::Combo6:
    case SettingsList::Combo7:
      return Localize(kOffOnList[position], lang);
  }
  return {};
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
  return list == SettingsList::Combo3 ? position + 1 : position;
}

}  // namespace kv3
