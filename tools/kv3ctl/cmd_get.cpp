// kv3ctl get: values of a codeplug file as KEY=VALUE lines, by the keys of
// the JSON format; what it prints, kv3ctl set takes back.
#include <iostream>
#include <string>

#include "cli.h"
#include "commands.h"
#include "interchange/field_edit.h"

namespace kv3ctl {

int RunGet(const Arguments& argv) {
  Args args(argv, {"--lang"}, {});
  if (!args.ok()) return Usage(args.error());
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  if (args.positionals().empty()) return Usage("get needs a FILE");
  std::vector<std::string> keys(args.positionals().begin() + 1, args.positionals().end());
  for (const std::string& key : keys)
    if (!kv3::ParseCodeplugKey(key))
      return Usage("no key '" + key + "': 'kv3ctl set --list' shows every key");

  kv3::EditorState state;
  if (!LoadState(args.positionals()[0], lang, state)) return kExitFile;
  if (keys.empty()) keys = kv3::CodeplugKeys(state);
  for (const std::string& key : keys)
    std::cout << key << "=" << *kv3::ValueText(state, key) << "\n";
  return kExitOk;
}

}  // namespace kv3ctl
