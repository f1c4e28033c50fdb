#include "platform/user_dirs.h"

#include "platform/environment.h"

namespace kv3 {

namespace {

// $variable when it is an absolute path, else $HOME/fallback, else "".
std::string BaseDir(const char* variable, const char* fallback) {
  if (auto value = EnvironmentValue(variable); value && !value->empty() && (*value)[0] == '/')
    return *value;
  if (auto home = EnvironmentValue("HOME"); home && !home->empty()) return *home + "/" + fallback;
  return {};
}

}  // namespace

std::string UserConfigDir() {
  return BaseDir("XDG_CONFIG_HOME", ".config");
}

std::string UserDataDir() {
  return BaseDir("XDG_DATA_HOME", ".local/share");
}

}  // namespace kv3
