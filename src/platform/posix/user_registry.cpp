#include "platform/user_registry.h"

namespace kv3 {

bool HasUserRegistry() {
  return false;
}

std::string UserRegistryText(const std::string&, const std::string&) {
  return {};
}

void DeleteUserRegistryValue(const std::string&, const std::string&) {}

}  // namespace kv3
