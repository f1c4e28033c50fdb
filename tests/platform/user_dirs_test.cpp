// Every file the program keeps per user follows the same XDG rule: an
// absolute $XDG_CONFIG_HOME / $XDG_DATA_HOME is taken, an empty or relative
// one is ignored in favour of ~/.config / ~/.local/share.
#include "platform/user_dirs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "i18n/language_setting.h"
#include "interchange/backups.h"
#include "link/port_names.h"
#include "link/port_numbers.h"

namespace kv3 {
namespace {

// Sets (or, with nullopt, unsets) an environment variable for a scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDirs, EveryPerUserFileFollowsTheSameRule) {
  ScopedEnv home("HOME", "/home/someone");
  struct File {
    const char* name;
    const char* variable;
    std::function<std::string()> path;
    const char* underHome;  // the path when the variable is not usable
    const char* leaf;       // the path below an absolute variable
  };
  const File files[] = {
      {"port map", "XDG_CONFIG_HOME", [] { return PortMapPath(); },
       "/home/someone/.config/KV-3/ports", "/KV-3/ports"},
      {"port numbers", "XDG_CONFIG_HOME", [] { return PortNumbersPath(); },
       "/home/someone/.config/KV-3/port-numbers", "/KV-3/port-numbers"},
      {"language hint", "XDG_CONFIG_HOME", [] { return DefaultLanguageHintPath(); },
       "/home/someone/.config/KV-3/KV-3.ini", "/KV-3/KV-3.ini"},
      {"backups", "XDG_DATA_HOME", [] { return DefaultBackupFolder(); },
       "/home/someone/.local/share/KV-3/backups", "/KV-3/backups"},
  };
  for (const File& f : files) {
    SCOPED_TRACE(f.name);
    for (std::optional<std::string> ignored :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("relative/dir"), std::optional<std::string>("./x")}) {
      ScopedEnv variable(f.variable, ignored);
      EXPECT_EQ(f.path(), f.underHome) << (ignored ? "'" + *ignored + "'" : "unset");
    }
    ScopedEnv variable(f.variable, "/tmp/xdg");
    EXPECT_EQ(f.path(), std::string("/tmp/xdg") + f.leaf);
  }
  ScopedEnv noHome("HOME", std::nullopt);
  ScopedEnv noConfig("XDG_CONFIG_HOME", "relative");
  EXPECT_EQ(UserConfigDir(), "");
  EXPECT_EQ(PortMapPath(), "");
}

// Linux has no registry: the hint of this system is the INI file of the
// configuration folder, read once and then taken out of it.
TEST(UserDirs, TheLanguageHintOfThisSystemIsTheIniFileOfTheConfigFolder) {
  const std::filesystem::path config =
      std::filesystem::temp_directory_path() / ("kv3-hint-" + std::to_string(::getpid()));
  std::filesystem::create_directories(config / "KV-3");
  ScopedEnv variable("XDG_CONFIG_HOME", config.string());
  std::ofstream(config / "KV-3" / "KV-3.ini")
      << "[Other]\nLanguages=english\n[KV-3]\nLanguages=english\n";
  std::unique_ptr<LanguageHintStore> store = UserLanguageHintStore();
  EXPECT_EQ(ReadLanguageSetting(*store, kLanguageHintKey, 0), Language::English);
  EXPECT_EQ(ReadLanguageSetting(*store, kLanguageHintKey, 2), Language::Traditional);
  std::ifstream in(config / "KV-3" / "KV-3.ini");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
            "[Other]\nLanguages=english\n[KV-3]\n");
  std::filesystem::remove_all(config);
}

}  // namespace
}  // namespace kv3
