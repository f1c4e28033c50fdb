// The one-time language hint: the value "Languages" under the key "KV-3",
// read once at start-up and then deleted. On Windows it lives in the
// per-user registry (HKEY_CURRENT_USER\KV-3). On Linux it lives in a
// per-user INI file that Qt's QSettings also reads and writes:
//   $XDG_CONFIG_HOME/KV-3/KV-3.ini (default ~/.config/KV-3/KV-3.ini)
//   [KV-3]
//   Languages=english
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "i18n/language.h"

namespace kv3 {

inline constexpr const char* kLanguageHintKey = "KV-3";
inline constexpr const char* kLanguageHintValue = "Languages";

// Where hints are kept (the registry's per-user root, or a file).
class LanguageHintStore {
 public:
  virtual ~LanguageHintStore() = default;
  // The text of value `name` under key `key`; "" when absent or unreadable.
  virtual std::string Get(std::string_view key, std::string_view name) = 0;
  // Deletes the value; failures are ignored.
  virtual void Delete(std::string_view key, std::string_view name) = 0;
};

// The INI file form: one section per key, "name=value" lines. Other sections,
// keys and lines are kept when a value is deleted; the file is rewritten
// atomically.
class IniLanguageHintStore : public LanguageHintStore {
 public:
  explicit IniLanguageHintStore(std::string path) : path_(std::move(path)) {}
  std::string Get(std::string_view key, std::string_view name) override;
  void Delete(std::string_view key, std::string_view name) override;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The per-user registry (platform/user_registry.h): Windows's own place.
class RegistryLanguageHintStore : public LanguageHintStore {
 public:
  std::string Get(std::string_view key, std::string_view name) override;
  void Delete(std::string_view key, std::string_view name) override;
};

// This system's place for the hint: the registry where there is one, else
// the INI file at DefaultLanguageHintPath().
std::unique_ptr<LanguageHintStore> UserLanguageHintStore();

// KV-3/KV-3.ini in the configuration folder of platform/user_dirs.h
// ($XDG_CONFIG_HOME, else ~/.config); "" when there is none.
std::string DefaultLanguageHintPath();

// ReadLanguageSetting(KeyName, SavedLanguage): a non-empty hint gives English
// for "english", Traditional for "chinesetrad", Simplified for any other
// text (exact, case-sensitive) and is deleted; otherwise the saved language
// (0..2; any other saved value gives Simplified).
Language ReadLanguageSetting(LanguageHintStore& store, std::string_view keyName, int savedLanguage);

}  // namespace kv3
