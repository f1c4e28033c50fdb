#include "platform/environment.h"

#include <cstdlib>

namespace kv3 {

std::optional<std::string> EnvironmentValue(const std::string& name) {
  if (const char* value = std::getenv(name.c_str())) return std::string(value);
  return std::nullopt;
}

}  // namespace kv3
