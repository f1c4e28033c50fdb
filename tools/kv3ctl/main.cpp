// kv3ctl: the KV-3(T2) programming software on the command line.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"
#include "commands.h"

namespace {

struct Command {
  const char* name;
  const char* synopsis;
  int (*run)(const kv3ctl::Arguments&);
};

const Command kCommands[] = {
    {"show", "FILE [--lang en|zh-Hans|zh-Hant] [--json]   print a codeplug as the windows show it",
     kv3ctl::RunShow},
    {"new",
     "-o FILE [--demo] [--force]                    save a codeplug with the start-up values\n"
     "      (--force: replace a file that is no codeplug)",
     kv3ctl::RunNew},
    {"read", "--port PORT -o FILE [--lang L]               read a radio into a codeplug file",
     kv3ctl::RunRead},
    {"write",
     "--port PORT FILE [--tuning] [--yes] [--verify] [--lang L]  write a codeplug file to a radio\n"
     "      (--verify: read it back and compare every written block)",
     kv3ctl::RunWrite},
    {"ports", "[--lang L]                                    list COM1..COM20 and their devices",
     kv3ctl::RunPorts},
    {"set",
     "FILE --channel N [--rx F] [--tx F] [--rx-tone T] [--tx-tone T] [--power low|high]\n"
     "      [--forbid off|carrier] [--bandwidth narrow|wide] [--scan no|yes] [--clear]\n"
     "      [--band INDEX] [--yes] [--lang L]   edit a codeplug as typing into the grid\n"
     "  set FILE KEY=VALUE ... [--tuning] [--yes] [--lang L]  set values by their keys in the\n"
     "      JSON format, as the windows take them (all or none; --tuning: the power levels)\n"
     "  set --list [--lang L]                         every KEY and the values it takes",
     kv3ctl::RunSet},
    {"get",
     "FILE [KEY...] [--lang L]                       print values as KEY=VALUE lines (all\n"
     "      without KEY), in the form set takes them",
     kv3ctl::RunGet},
    {"export",
     "FILE -o OUT.csv|OUT.json                     the channel list as CSV, or all as JSON",
     kv3ctl::RunExport},
    {"import",
     "IN.csv|IN.json -o FILE [--base BASE.DAT] [--skip-bad] [--renumber] [--strict] [--force]\n"
     "      make a codeplug from them (--renumber: CSV rows are channels 1, 2, ...; --strict:\n"
     "      refuse JSON values the editor would refuse; --force: replace a file that is no "
     "codeplug)",
     kv3ctl::RunImport},
    {"diff",
     "A B [--json] [--lang L]                       what differs (exit 1 when anything does)",
     kv3ctl::RunDiff},
    {"backups", "[--json]                                   list the backups of every read",
     kv3ctl::RunBackups},
    {"clone",
     "FILE --port P1 --port P2 ... [--verify] [--tuning] [--yes]  write to several radios at once",
     kv3ctl::RunClone},
};

void PrintHelp(std::ostream& out) {
  out << "Usage: kv3ctl COMMAND [ARGS]\n\n"
         "The KV-3(T2) programming software on the command line.\n\nCommands:\n";
  for (const auto& c : kCommands) out << "  " << c.name << " " << c.synopsis << "\n";
  out << "\nExit codes: 0 success, 1 communication failure or difference, 2 usage error,\n"
         "3 file error, 4 a value the editor refuses; 130, 143, 129: a session ended by\n"
         "SIGINT, SIGTERM or SIGHUP.\n";
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    PrintHelp(std::cerr);
    return kv3ctl::kExitUsage;
  }
  std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintHelp(std::cout);
    return kv3ctl::kExitOk;
  }
  if (name == "--version") {
    std::cout << "kv3ctl 1.0.0\n";
    return kv3ctl::kExitOk;
  }
  kv3ctl::Arguments args(argv + 2, argv + argc);
  for (const auto& c : kCommands)
    if (name == c.name) return c.run(args);
  return kv3ctl::Usage("unknown command '" + name + "'");
}

}  // namespace

int main(int argc, char** argv) {
  kv3ctl::GuardStandardOutput();
  // Output that could not be written (a full disk, a closed stdout) is a
  // failure, never a success.
  return kv3ctl::CheckStandardOutput(Run(argc, argv));
}
