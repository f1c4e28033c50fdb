// The keys of kv3ctl show --json as they were recorded.
#pragma once

#include <string>

namespace kv3::testing {

// show --json with its field keys as the recording has them.
std::string ShowJsonWithRecordedKeys(const std::string& json);
// A field key of the view as the recording has it.
std::string RecordedViewKey(const std::string& section, const std::string& key);

}  // namespace kv3::testing
