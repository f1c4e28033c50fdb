#include "recorded_keys.h"

namespace kv3::testing {

std::string ShowJsonWithRecordedKeys(const std::string& json) {
  return json;
}

std::string RecordedViewKey(const std::string&, const std::string& key) {
  return key;
}

}  // namespace kv3::testing
