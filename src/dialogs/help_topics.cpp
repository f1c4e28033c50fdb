#include "dialogs/help_topics.h"

#include <array>

namespace kv3 {

namespace {

struct TopicFile {
  HelpTopic topic;
  const char* file;
};

constexpr std::array<TopicFile, 16> kTopics{{
    {HelpTopic::Contents, "index.html"},
    {HelpTopic::GettingStarted, "getting-started.html"},
    {HelpTopic::Connecting, "connecting.html"},
    {HelpTopic::ReadingWriting, "reading-writing.html"},
    {HelpTopic::Channels, "channels.html"},
    {HelpTopic::FunctionSettings, "function-settings.html"},
    {HelpTopic::OptionalFunctions, "optional-functions.html"},
    {HelpTopic::KeysSet, "keys-set.html"},
    {HelpTopic::EmbeddedInfo, "embedded-info.html"},
    {HelpTopic::TestFrequencies, "test-frequencies.html"},
    {HelpTopic::PowerTuning, "power-tuning.html"},
    {HelpTopic::LockAndUnlock, "lock-and-unlock.html"},
    {HelpTopic::Files, "files.html"},
    {HelpTopic::CommandLine, "command-line.html"},
    {HelpTopic::CommandReference, "command-reference.html"},
    {HelpTopic::Troubleshooting, "troubleshooting.html"},
}};

constexpr std::array<HelpTopic, kTopics.size()> MakeTopicList() {
  std::array<HelpTopic, kTopics.size()> list{};
  for (size_t i = 0; i < kTopics.size(); ++i) list[i] = kTopics[i].topic;
  return list;
}
constexpr std::array<HelpTopic, kTopics.size()> kTopicList = MakeTopicList();

}  // namespace

std::span<const HelpTopic> AllHelpTopics() {
  return kTopicList;
}

const char* HelpTopicFile(HelpTopic topic) {
  for (const TopicFile& t : kTopics)
    if (t.topic == topic) return t.file;
  return kTopics[0].file;
}

const char* HelpLanguageFolder(Language lang) {
  switch (lang) {
    case Language::English:
      return "en";
    case Language::Traditional:
      return "zh-Hant";
    case Language::Simplified:
      break;
  }
  return "zh-Hans";
}

std::string HelpPagePath(Language lang, HelpTopic topic) {
  return std::string(HelpLanguageFolder(lang)) + "/" + HelpTopicFile(topic);
}

}  // namespace kv3
