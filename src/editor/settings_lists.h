// The six lists of the function settings frame Frame2: their entries in a
// language, their captions and the value each position stands for.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"

namespace kv3 {

enum class SettingsList { Combo2, Combo3, Combo4, Combo9, Combo6, Combo7 };

// Top to bottom in the frame.
inline constexpr std::array<SettingsList, 6> kSettingsLists{
    SettingsList::Combo2, SettingsList::Combo3, SettingsList::Combo4,
    SettingsList::Combo9, SettingsList::Combo6, SettingsList::Combo7};

struct SettingsListInfo {
  const char* objectName;       // "Combo2"
  const char* labelObjectName;  // "Label4"
  Text2 label;                  // "语言通知" / "Language:"
  int count;                    // number of entries
  int startupPosition;
};

const SettingsListInfo& InfoOf(SettingsList list);

// Entry `position` of a list in a language ("" outside the list).
std::string SettingsEntry(SettingsList list, int position, Language lang);
// All entries of a list in a language.
std::vector<std::string> SettingsEntries(SettingsList list, Language lang);

// The selected position of a list in the settings.
int& SettingsPosition(FunctionSettings& settings, SettingsList list);
int SettingsPosition(const FunctionSettings& settings, SettingsList list);

// Selects a position; false (nothing changed) when it is not in the list.
bool SelectSetting(FunctionSettings& settings, SettingsList list, int position);

// The value the memory image carries for a position (position + 1 for the
// time-out list, the position for the others).
int StoredSettingValue(SettingsList list, int position);

}  // namespace kv3
