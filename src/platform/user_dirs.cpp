#include "platform/user_dirs.h"

#include <cstdlib>

namespace kv3 {

namespace {

constexpr char kProgramFolder[] = "KV-3";

// $variable when it is an absolute path, else $HOME/fallback, else "".
std::string BaseDir(const char* variable, const char* fallback) {
  if (const char* value = std::getenv(variable); value && value[0] == '/') return value;
  if (const char* home = std::getenv("HOME"); home && home[0] != '\0')
    return std::string(home) + "/" + fallback;
  return {};
}

std::string Inside(const std::string& base) {
  return base.empty() ? base : base + "/" + kProgramFolder;
}

}  // namespace

std::string UserConfigDir() {
  return BaseDir("XDG_CONFIG_HOME", ".config");
}

std::string UserDataDir() {
  return BaseDir("XDG_DATA_HOME", ".local/share");
}

std::string ProgramConfigDir() {
  return Inside(UserConfigDir());
}

std::string ProgramDataDir() {
  return Inside(UserDataDir());
}

}  // namespace kv3
