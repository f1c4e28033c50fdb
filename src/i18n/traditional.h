// Simplified to Traditional Chinese.
#pragma once

#include <string>
#include <string_view>

namespace kv3 {

// The Traditional Chinese form of a UTF-8 text. Characters without a
// Traditional form, digits, Latin letters and punctuation are unchanged. The
// conversion tables are loaded on first use; if they cannot be loaded the
// text comes back unchanged.
std::string ToTraditional(std::string_view text);

}  // namespace kv3
