// kv3ctl help: the help of kv3ctl or of one command, as text, a manual page,
// HTML, JSON or the bash completion.
#include <iostream>

#include "cli.h"
#include "commands.h"
#include "reference.h"

namespace kv3ctl {

int RunHelp(const Arguments& argv) {
  Args args(argv, {"--format", "--lang"}, {});
  if (!args.ok()) return Usage(args.error());
  if (args.positionals().size() > 1) return Usage("help takes at most one COMMAND");
  HelpFormat format = HelpFormat::Text;
  const std::string formatName = args.Value("--format", "text");
  if (!ParseHelpFormat(formatName, format))
    return Usage("unknown help format '" + formatName + "' (use text, man, html, json or bash)");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  const CommandHelp* command = nullptr;
  if (!args.positionals().empty()) {
    command = FindCommandHelp(args.positionals()[0]);
    if (!command) return Usage("unknown command '" + args.positionals()[0] + "'");
  }
  std::cout << RenderHelp(format, lang, command);
  return kExitOk;
}

}  // namespace kv3ctl
