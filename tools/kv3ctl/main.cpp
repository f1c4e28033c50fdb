// kv3ctl: the KV-3(T2) programming software on the command line.
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "commands.h"
#include "kv3_version.h"
#include "reference.h"

namespace {

// The commands kv3ctl runs; each is described in reference.cpp.
struct Command {
  const char* name;
  int (*run)(const kv3ctl::Arguments&);
};

const Command kCommands[] = {
    {"show", kv3ctl::RunShow},   {"new", kv3ctl::RunNew},       {"read", kv3ctl::RunRead},
    {"write", kv3ctl::RunWrite}, {"ports", kv3ctl::RunPorts},   {"set", kv3ctl::RunSet},
    {"get", kv3ctl::RunGet},     {"export", kv3ctl::RunExport}, {"import", kv3ctl::RunImport},
    {"diff", kv3ctl::RunDiff},   {"check", kv3ctl::RunCheck},   {"backups", kv3ctl::RunBackups},
    {"clone", kv3ctl::RunClone}, {"help", kv3ctl::RunHelp},
};

// Whether a command's arguments ask for its help (-h or --help before "--").
bool AsksForHelp(const kv3ctl::Arguments& args) {
  for (const auto& a : args) {
    if (a == "--") return false;
    if (a == "--help" || a == "-h") return true;
  }
  return false;
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kv3ctl::RenderHelp(kv3ctl::HelpFormat::Text, kv3::Language::English, nullptr);
    return kv3ctl::kExitUsage;
  }
  std::string name = argv[1];
  if (name == "--help" || name == "-h") return kv3ctl::RunHelp({});
  if (name == "--version") {
    std::cout << "kv3ctl " << kv3::kProgramVersion << "\n";
    return kv3ctl::kExitOk;
  }
  kv3ctl::Arguments args(argv + 2, argv + argc);
  for (const auto& c : kCommands)
    if (name == c.name) return AsksForHelp(args) ? kv3ctl::RunHelp({name}) : c.run(args);
  return kv3ctl::Usage("unknown command '" + name + "'");
}

}  // namespace

int main(int argc, char** argv) {
  kv3ctl::GuardStandardOutput();
  // Output that could not be written (a full disk, a closed stdout) is a
  // failure, never a success.
  return kv3ctl::CheckStandardOutput(Run(argc, argv));
}
