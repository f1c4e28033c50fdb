// The parameter file: three bytes that survive between runs (editing lock,
// port number, language).
#pragma once

#include <cstdint>
#include <string>

namespace kv3 {

struct Parameters {
  uint8_t lock = 0;      // 1 locked, 0 unlocked, anything else: left as designed
  uint8_t port = 0;      // ComPortNumber, 0 = none chosen
  uint8_t language = 0;  // LanguageIndex to use when no hint is waiting
};

// Where the file lives: KV-3/parameter in the configuration folder of
// platform/user_dirs.h ($XDG_CONFIG_HOME, else ~/.config), in the temporary
// folder when there is none.
std::string ParameterFilePath();

// Reads the file; missing bytes read as 0. A missing file is created empty
// (with its folder); a file that cannot be read or created reads as zeros.
Parameters ReadParameterFile(const std::string& path);

// Rewrites the file with the three bytes, creating its folder when needed.
// Returns false when it could not be written (the old file is then kept).
bool WriteParameterFile(const std::string& path, const Parameters& parameters);

}  // namespace kv3
