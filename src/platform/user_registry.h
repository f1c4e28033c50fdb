// The per-user registry of Windows (HKEY_CURRENT_USER): text values under a
// key. Other systems have no registry: there it holds nothing, and a
// setting kept in it is kept in a file instead.
#pragma once

#include <string>

namespace kv3 {

// Whether this system has a per-user registry.
bool HasUserRegistry();
// The text (REG_SZ) value `name` under `key` of the per-user root; "" when
// the key or the value is missing, the value is of another type, or the
// registry cannot be read.
std::string UserRegistryText(const std::string& key, const std::string& name);
// Deletes value `name` under `key` of the per-user root; failures are
// ignored.
void DeleteUserRegistryValue(const std::string& key, const std::string& name);

}  // namespace kv3
