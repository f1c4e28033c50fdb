// The per-user folders. On Linux and other POSIX systems by the XDG
// base-directory rules: the configuration folder is $XDG_CONFIG_HOME, else
// ~/.config; the data folder $XDG_DATA_HOME, else ~/.local/share. A variable
// that is empty or holds a relative path is ignored, as the rules say. On
// Windows the known folders: the roaming application data for the
// configuration, the local application data for the data. Every place that
// keeps a file per user asks here, so all of them follow the same rule.
#pragma once

#include <string>

namespace kv3 {

// The configuration folder; "" when neither XDG_CONFIG_HOME nor HOME helps
// (on Windows: when the known folder cannot be found).
std::string UserConfigDir();
// The data folder; "" when neither XDG_DATA_HOME nor HOME helps.
std::string UserDataDir();

// The program's own folder inside them: <folder>/KV-3; "" when the folder
// is unknown.
std::string ProgramConfigDir();
std::string ProgramDataDir();

}  // namespace kv3
