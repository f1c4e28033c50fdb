#include "i18n/language_setting.h"

#include <fstream>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/user_dirs.h"
#include "platform/user_registry.h"

namespace kv3 {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return true;
}

// A section header "[name]": sets name and returns true.
bool SectionOf(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  name = line.substr(1, line.size() - 2);
  return true;
}

// A "name=value" line of the given name: sets value and returns true.
bool EntryOf(std::string_view line, std::string_view name, std::string_view& value) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos || Trim(line.substr(0, eq)) != name) return false;
  value = Trim(line.substr(eq + 1));
  return true;
}

// A value as QSettings writes a plain string: quoted when it holds special
// characters, with backslash escapes.
std::string Unquote(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] == '\\' && i + 1 < v.size()) ++i;
    out.push_back(v[i]);
  }
  return out;
}

}  // namespace

std::string IniLanguageHintStore::Get(std::string_view key, std::string_view name) {
  std::vector<std::string> lines;
  if (!ReadLines(path_, lines)) return {};
  bool inSection = false;
  for (const std::string& line : lines) {
    std::string_view section, value;
    if (SectionOf(line, section))
      inSection = section == key;
    else if (inSection && EntryOf(line, name, value))
      return Unquote(value);
  }
  return {};
}

void IniLanguageHintStore::Delete(std::string_view key, std::string_view name) {
  std::vector<std::string> lines;
  if (!ReadLines(path_, lines)) return;
  std::string kept;
  bool inSection = false, removed = false;
  for (const std::string& line : lines) {
    std::string_view section, value;
    if (SectionOf(line, section)) {
      inSection = section == key;
    } else if (inSection && EntryOf(line, name, value)) {
      removed = true;
      continue;
    }
    kept += line;
    kept += '\n';
  }
  if (removed) (void)WriteFileAtomically(path_, kept);
}

std::string RegistryLanguageHintStore::Get(std::string_view key, std::string_view name) {
  return UserRegistryText(std::string(key), std::string(name));
}

void RegistryLanguageHintStore::Delete(std::string_view key, std::string_view name) {
  DeleteUserRegistryValue(std::string(key), std::string(name));
}

std::unique_ptr<LanguageHintStore> UserLanguageHintStore() {
  if (HasUserRegistry()) return std::make_unique<RegistryLanguageHintStore>();
  return std::make_unique<IniLanguageHintStore>(DefaultLanguageHintPath());
}

std::string DefaultLanguageHintPath() {
  const std::string base = UserConfigDir();
  if (base.empty()) return {};
  return base + "/" + kLanguageHintKey + "/" + kLanguageHintKey + ".ini";
}

Language ReadLanguageSetting(LanguageHintStore& store, std::string_view keyName,
                             int savedLanguage) {
  std::string text = store.Get(keyName, kLanguageHintValue);
  if (!text.empty()) {
    store.Delete(keyName, kLanguageHintValue);
    if (text == "english") return Language::English;
    if (text == "chinesetrad") return Language::Traditional;
    return Language::Simplified;
  }
  if (savedLanguage >= 0 && savedLanguage <= 2) return static_cast<Language>(savedLanguage);
  return Language::Simplified;
}

}  // namespace kv3
