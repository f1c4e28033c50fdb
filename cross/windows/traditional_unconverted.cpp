// The Traditional Chinese texts of a build without OpenCC: the Simplified
// text unchanged, as when the conversion tables cannot be loaded.
#include "i18n/traditional.h"

namespace kv3 {

std::string ToTraditional(std::string_view text) {
  return std::string(text);
}

}  // namespace kv3
