// Whether two paths name the same file.
#pragma once

#include <string>

namespace kv3 {

// True when both paths exist and lead to the same file (through links,
// other names of a folder, hard links); false otherwise.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace kv3
