// kv3ctl check: the problems list of a codeplug, as the window's problems
// panel shows it.
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli.h"
#include "codeplug/codec.h"
#include "commands.h"
#include "dialogs/problems.h"
#include "i18n/messages.h"
#include "image/codeplug_file.h"

namespace kv3ctl {

int RunCheck(const Arguments& argv) {
  Args args(argv, {"--lang"}, {"--json"});
  if (!args.ok()) return Usage(args.error());
  if (args.positionals().size() != 1) return Usage("check needs one codeplug FILE");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  const std::string& path = args.positionals()[0];

  // The image itself is looked at too: some of its words cannot be shown.
  kv3::MemoryImage image;
  kv3::EditorState state;
  if (!LoadState(path, lang, state, nullptr, &image)) return kExitFile;

  const std::vector<kv3::Problem> problems = kv3::ListProblems(state, image);
  if (args.Has("--json")) {
    auto list = nlohmann::ordered_json::array();
    for (const kv3::Problem& p : problems) {
      nlohmann::ordered_json e;
      e["place"] = kv3::ProblemPlaceId(p.place);
      e["row"] = p.row;
      e["column"] = p.column;
      e["field"] = kv3::ProblemFieldId(p.field);
      e["problem"] = kv3::ProblemKindId(p.kind);
      if (p.otherChannel) e["otherChannel"] = p.otherChannel;
      e["value"] = p.value;
      e["text"] = kv3::ProblemLine(p, lang);
      list.push_back(e);
    }
    std::cout << list.dump(2) << "\n";
  } else {
    for (const kv3::Problem& p : problems) std::cout << kv3::ProblemLine(p, lang) << "\n";
  }
  return problems.empty() ? kExitOk : kExitFailure;
}

}  // namespace kv3ctl
