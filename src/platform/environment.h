// The process's environment variables.
#pragma once

#include <optional>
#include <string>

namespace kv3 {

// The value of an environment variable (UTF-8); nullopt when it is not set.
// An empty value is a value.
std::optional<std::string> EnvironmentValue(const std::string& name);

}  // namespace kv3
