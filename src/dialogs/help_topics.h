// The manual's pages: one page per topic and language, in a folder per
// language (help/en, help/zh-Hans, help/zh-Hant). F1 opens the page of the
// window it is pressed in, in the program's current language.
#pragma once

#include <span>
#include <string>

#include "i18n/language.h"

namespace kv3 {

enum class HelpTopic {
  Contents,           // the language's table of contents
  GettingStarted,     //
  Connecting,         // cable, ports, the port dialog
  ReadingWriting,     //
  Channels,           // the band, the channel grid and tones
  FunctionSettings,   // the six settings of the main window
  OptionalFunctions,  // Form5
  KeysSet,            // Form6
  EmbeddedInfo,       // Form7
  TestFrequencies,    // Form4
  PowerTuning,        // Form2
  LockAndUnlock,      // the editing lock and the maintenance unlock
  Files,              // codeplug files, CSV/JSON, backups, compare
  CommandLine,        // kv3ctl
  CommandReference,   // kv3ctl's commands, made from its own help
  Troubleshooting,    // every message
};

// Every topic, in the order of the table of contents.
std::span<const HelpTopic> AllHelpTopics();

// The page's file name within a language folder ("optional-functions.html").
const char* HelpTopicFile(HelpTopic topic);

// The folder of a language: "zh-Hans", "en" or "zh-Hant".
const char* HelpLanguageFolder(Language lang);

// The page of a topic relative to the manual's root: "en/keys-set.html".
std::string HelpPagePath(Language lang, HelpTopic topic);

}  // namespace kv3
