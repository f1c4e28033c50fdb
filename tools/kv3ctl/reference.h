// The one description of kv3ctl's commands. `kv3ctl --help`, `kv3ctl help
// COMMAND`, the manual page kv3ctl.1, the manual's command-line pages and the
// bash completion are all made from it (`kv3ctl help --format=...`), so an
// option described here appears everywhere at once, and an option a command
// accepts must be described here (a test compares the two).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "i18n/language.h"

namespace kv3ctl {

// A text in English and in Simplified Chinese; the Traditional Chinese text is
// made from the Simplified one, as everywhere in the program. Longer texts use
// a small markup: paragraphs are separated by an empty line, a paragraph whose
// lines start with two blanks is shown as it is (an example), lines starting
// with "- " are list items, and `backticks` mark what is typed.
struct HelpText {
  const char* en = "";
  const char* zh = "";
};

// What a value or an argument is: the completion offers values by it.
enum class ValueKind {
  Text,      // anything typed
  Codeplug,  // a .DAT file
  Table,     // a .csv or .json file
  Export,    // what export writes: a .csv, .json or .html file
  Port,      // COM1..COM20, sim, or a serial device
  Choice,    // one of `choices`
  Command,   // a kv3ctl command
};

struct OptionHelp {
  const char* name = "";        // "--lang", "-o"
  const char* value = nullptr;  // what follows it ("L", "FILE"); nullptr for a flag
  ValueKind kind = ValueKind::Text;
  const char* choices = "";  // ValueKind::Choice: the words, separated by blanks
  HelpText help;
  bool required = false;    // the synopsis shows it without brackets
  bool repeatable = false;  // may be given several times
};

struct ArgumentHelp {
  const char* name = "";  // "FILE"
  ValueKind kind = ValueKind::Text;
  bool optional = false;
};

struct ExitCodeHelp {
  int code = 0;
  HelpText meaning;
};

struct CommandHelp {
  const char* name = "";
  std::vector<ArgumentHelp> arguments;
  HelpText summary;  // one line, lower case, no full stop
  HelpText description;
  std::vector<OptionHelp> options;
  std::vector<ExitCodeHelp> exitCodes;
};

struct SectionHelp {
  HelpText title;
  HelpText body;
};

struct Reference {
  HelpText summary;
  HelpText description;
  std::vector<CommandHelp> commands;
  // Options of the program itself (kv3ctl --version) and of every command (--help).
  std::vector<OptionHelp> programOptions;
  std::vector<OptionHelp> commonOptions;
  std::vector<SectionHelp> sections;  // ports, files, environment ...
  std::vector<ExitCodeHelp> exitCodes;
};

const Reference& CommandReference();
const CommandHelp* FindCommandHelp(std::string_view name);

// The texts in a language (Traditional Chinese converted from Simplified).
std::string Say(const HelpText& text, kv3::Language lang);

// "show FILE [--lang L] [--json]": the command, its arguments, the required
// options and then the others in brackets.
std::string Synopsis(const CommandHelp& command);

enum class HelpFormat { Text, Man, Html, Json, Bash };
bool ParseHelpFormat(std::string_view name, HelpFormat& format);

// The whole reference (command nullptr) or one command's part of it.
std::string RenderHelp(HelpFormat format, kv3::Language lang, const CommandHelp* command);

}  // namespace kv3ctl
