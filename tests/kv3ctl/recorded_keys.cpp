#include "recorded_keys.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <regex>
#include <utility>

namespace kv3::testing {

namespace {

// The keys that show --json gave before it took the JSON format's.
const std::pair<const char*, const char*> kRenamed[] = {
    {"functionSettings.txTimeoutSeconds", "txTimeout"},
    {"functionSettings.preAlertSeconds", "preAlert"},
    {"optionalFunctions.scanRxDelaySeconds", "scanRxDelay"},
    {"optionalFunctions.scanTxDelaySeconds", "scanTxDelay"},
    {"dtmf.rate", "dtmfRate"},
    {"dtmf.firstDigitDelayMs", "firstDigitDelay"},
    {"dtmf.sideTone", "dtmfSideTone"},
    {"dtmf.autoResetTimer", "autoReset"},
    {"powerLevels.high", "txPowerHigh"},
    {"powerLevels.low", "txPowerLow"},
};

}  // namespace

std::string RecordedViewKey(const std::string& section, const std::string& key) {
  for (const auto& [now, before] : kRenamed)
    if (section + "." + key == now) return before;
  std::smatch m;
  static const std::regex memory(R"(memoryCodes\.(\d+))"), test(R"((\d+)\.(rx|tx))"),
      line(R"(\d+)");
  if (section == "dtmf" && std::regex_match(key, m, memory)) return "autoDial" + m[1].str();
  if (section == "testFrequencies" && std::regex_match(key, m, test)) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "test%02d.", std::stoi(m[1].str()));
    return buf + m[2].str();
  }
  if (section == "embeddedInfo" && std::regex_match(key, line)) return "line" + key;
  return key;
}

std::string ShowJsonWithRecordedKeys(const std::string& text) {
  if (text.empty() || text[0] != '{') return text;
  auto j = nlohmann::ordered_json::parse(text);
  for (const char* grid : {"gridHeaders"}) {
    auto& headers = j[grid];
    nlohmann::ordered_json renamed = nlohmann::ordered_json::object();
    for (auto& [key, value] : headers.items()) renamed[key == "txInhibit" ? "forbid" : key] = value;
    headers = renamed;
  }
  for (auto& channel : j["channels"]) {
    nlohmann::ordered_json renamed = nlohmann::ordered_json::object();
    for (auto& [key, value] : channel.items()) renamed[key == "txInhibit" ? "forbid" : key] = value;
    channel = renamed;
  }
  for (auto& [section, body] : j.items()) {
    if (!body.is_object() || !body.contains("fields")) continue;
    nlohmann::ordered_json renamed = nlohmann::ordered_json::object();
    for (auto& [key, value] : body["fields"].items())
      renamed[RecordedViewKey(section, key)] = value;
    body["fields"] = renamed;
  }
  return j.dump(2) + "\n";
}

}  // namespace kv3::testing
