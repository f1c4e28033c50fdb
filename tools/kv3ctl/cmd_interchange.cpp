// kv3ctl export, import, diff and backups: codeplugs as CSV channel lists,
// JSON and a printable HTML record, comparison of two codeplugs, and the
// backups of every read.
#include <algorithm>
#include <cctype>
#include <ctime>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli.h"
#include "commands.h"
#include "image/codeplug_file.h"
#include "interchange/backups.h"
#include "interchange/channel_csv.h"
#include "interchange/codeplug_diff.h"
#include "interchange/codeplug_json.h"
#include "interchange/codeplug_record.h"
#include "interchange/entry_checks.h"
#include "platform/atomic_file.h"
#include "platform/calendar.h"

namespace kv3ctl {

namespace {

// Input files larger than this are not interchange files of this program.
constexpr std::streamsize kMaxInputSize = 4 * 1024 * 1024;

enum class Format { Unknown, Csv, Json, Html };

Format FormatOf(const std::string& path) {
  auto dot = path.find_last_of('.');
  if (dot == std::string::npos) return Format::Unknown;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "csv") return Format::Csv;
  if (ext == "json") return Format::Json;
  if (ext == "html" || ext == "htm") return Format::Html;
  return Format::Unknown;
}

bool ReadText(const std::string& path, std::string& text) {
  // A FIFO or a device is read for a bounded time, never waited on for ever.
  kv3::FileIoResult r = kv3::ReadFileBounded(path, static_cast<size_t>(kMaxInputSize) + 1, text);
  if (!r.ok()) {
    std::cerr << path << ": cannot be read: " << r.detail << "\n";
    return false;
  }
  if (text.size() > static_cast<size_t>(kMaxInputSize)) {
    std::cerr << path << ": larger than " << kMaxInputSize / (1024 * 1024)
              << " MB, not a codeplug or channel list\n";
    return false;
  }
  return true;
}

bool WriteText(const std::string& path, const std::string& text) {
  kv3::FileIoResult r = kv3::WriteFileAtomically(path, text);
  if (!r.ok()) {
    std::cerr << path << ": cannot be written: " << r.detail << "\n";
    return false;
  }
  PrintSaveWarning(path, r.warning);
  return true;
}

}  // namespace

int RunExport(const Arguments& argv) {
  Args args(argv, {"-o", "--lang"}, {});
  if (!args.ok()) return Usage(args.error());
  if (args.positionals().size() != 1 || !args.Has("-o"))
    return Usage("export needs FILE and -o OUT.csv, -o OUT.json or -o OUT.html");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  std::string out = args.Value("-o");
  Format format = FormatOf(out);
  if (format == Format::Unknown) return Usage("the output must end in .csv, .json or .html");
  if (SameFile(args.positionals()[0], out))
    return Usage("-o " + out + " is the codeplug being exported; give another file");
  kv3::EditorState state;
  if (!LoadState(args.positionals()[0], lang, state)) return kExitFile;

  if (format == Format::Json)
    return WriteText(out, kv3::CodeplugToJson(state)) ? kExitOk : kExitFile;
  if (format == Format::Html) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    kv3::LocalCalendar(now, local);
    const kv3::RecordHeading heading{args.positionals()[0], kv3::RecordTime(local)};
    return WriteText(out, kv3::CodeplugRecordHtml(state, lang, heading)) ? kExitOk : kExitFile;
  }

  kv3::CsvExport csv = kv3::ExportChannelsCsv(state);
  for (int n : csv.leftOut)
    std::cerr << "channel " << n
              << " left out: a frequency field of it holds no decimal frequency\n";
  return WriteText(out, csv.text) ? kExitOk : kExitFile;
}

int RunImport(const Arguments& argv) {
  Args args(argv, {"-o", "--base", "--lang"}, {"--skip-bad", "--strict", "--force", "--renumber"});
  if (!args.ok()) return Usage(args.error());
  if (args.positionals().size() != 1 || !args.Has("-o"))
    return Usage("import needs IN.csv or IN.json and -o FILE");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  const std::string in = args.positionals()[0];
  const std::string out = args.Value("-o");
  Format format = FormatOf(in);
  if (format != Format::Csv && format != Format::Json)
    return Usage("the input must end in .csv or .json");
  if (format == Format::Json && args.Has("--skip-bad"))
    return Usage("--skip-bad applies to CSV channel lists");
  if (format == Format::Json && args.Has("--renumber"))
    return Usage("--renumber applies to CSV channel lists");
  // The list being read is never what the codeplug replaces.
  if (SameFile(in, out)) return Usage("-o " + out + " is the input " + in + "; give another file");
  if (!MayReplaceWithCodeplug(out, args.Has("--force"))) return kExitFile;

  kv3::EditorState state = kv3::StartupState();
  if (args.Has("--base") && !LoadState(args.Value("--base"), lang, state)) return kExitFile;
  std::string text;
  if (!ReadText(in, text)) return kExitFile;

  if (format == Format::Json) {
    kv3::JsonImportReport report = kv3::CodeplugFromJson(text, state);
    for (const auto& p : report.problems) std::cerr << in << ": " << p << "\n";
    if (!report.ok()) {
      std::cerr << "nothing written\n";
      return report.unreadable ? kExitFile : kExitRefused;
    }
    // Values are kept exactly (a radio's memory may hold them), but every
    // one the editor would refuse is said; --strict refuses them.
    const bool strict = args.Has("--strict");
    std::vector<kv3::RuleFinding> findings = kv3::CheckEditorRules(state);
    for (const auto& f : findings)
      std::cerr << in << ": " << (strict ? "" : "warning: ") << f.field << " \"" << f.value
                << "\": " << f.reason << "\n";
    if (strict && !findings.empty()) {
      std::cerr << "nothing written: " << findings.size()
                << " value(s) the editor refuses (--strict)\n";
      return kExitRefused;
    }
  } else {
    kv3::CsvImportReport report =
        kv3::ImportChannelsCsv(text, state, args.Has("--skip-bad"), args.Has("--renumber"));
    if (!report.fatal.empty()) {
      std::cerr << in << ":";
      if (report.fatalLine > 0) std::cerr << report.fatalLine << ":";
      std::cerr << " " << report.fatal << "\nnothing written\n";
      return report.rowsRefused > 0 ? kExitRefused : kExitFile;
    }
    for (const auto& p : report.problems) {
      std::cerr << in << ":" << p.line << ":";
      if (p.column > 0) std::cerr << p.column << ": " << p.columnName << " \"" << p.value << "\":";
      std::cerr << " " << p.reason << "\n";
    }
    if (!report.ignoredColumns.empty()) {
      std::cerr << "ignored, the radio has no place for them: ";
      for (size_t k = 0; k < report.ignoredColumns.size(); ++k)
        std::cerr << (k ? ", " : "") << report.ignoredColumns[k];
      std::cerr << "\n";
    }
    if (!report.changed) {
      std::cerr << "nothing written: " << report.rowsRefused << " of "
                << report.rowsRefused + report.rowsAccepted
                << " rows refused (--skip-bad keeps the good rows)\n";
      return kExitRefused;
    }
    if (report.rowsRefused > 0) std::cerr << report.rowsRefused << " refused rows left out\n";
    std::cout << report.rowsAccepted << " channels imported\n";
  }
  return SaveState(out, lang, state) ? kExitOk : kExitFile;
}

int PrintDifferences(const kv3::EditorState& a, const kv3::EditorState& b, kv3::Language lang,
                     bool json) {
  std::vector<kv3::FieldDifference> diffs = kv3::DiffCodeplugs(a, b, lang);
  if (json) {
    nlohmann::ordered_json j;
    j["equal"] = diffs.empty();
    auto list = nlohmann::ordered_json::array();
    for (const auto& d : diffs) {
      nlohmann::ordered_json e;
      if (d.channel) e["channel"] = d.channel;
      e["section"] = d.section;
      e["field"] = d.field;
      e["caption"] = d.caption;
      e["before"] = d.before;
      e["after"] = d.after;
      e["text"] = kv3::DifferenceLine(d, lang);
      list.push_back(e);
    }
    j["differences"] = list;
    std::cout << j.dump(2) << "\n";
  } else {
    // The lines every window that compares shows (radio texts escaped).
    for (const std::string& line : kv3::DifferenceLines(a, b, lang)) std::cout << line << "\n";
  }
  return diffs.empty() ? kExitOk : kExitFailure;
}

int RunDiff(const Arguments& argv) {
  Args args(argv, {"--lang", "--port"}, {"--json"});
  if (!args.ok()) return Usage(args.error());
  if (args.Has("--port")) {
    if (args.positionals().size() != 1) return Usage("diff --port PORT needs exactly one FILE");
    if (std::string why; !PortOptionsGiven(args, why)) return Usage(why);
  } else if (args.positionals().size() != 2) {
    return Usage("diff needs two files A and B");
  }
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  if (args.Has("--port")) return DiffWithRadio(args, lang);
  kv3::EditorState a, b;
  if (!LoadState(args.positionals()[0], lang, a) || !LoadState(args.positionals()[1], lang, b))
    return kExitFile;
  return PrintDifferences(a, b, lang, args.Has("--json"));
}

int RunBackups(const Arguments& argv) {
  Args args(argv, {}, {"--json"});
  if (!args.ok()) return Usage(args.error());
  if (!args.positionals().empty()) return Usage("backups takes no arguments");
  std::string folder = kv3::DefaultBackupFolder();
  if (folder.empty()) {
    std::cerr << "kv3ctl: no data folder (neither XDG_DATA_HOME nor HOME is set)\n";
    return kExitFile;
  }
  std::vector<kv3::BackupInfo> list = kv3::ListBackups(folder);
  if (args.Has("--json")) {
    auto j = nlohmann::ordered_json::array();
    for (const auto& b : list)
      j.push_back({{"time", b.time},
                   {"kind", kv3::BackupKindKey(b.kind)},
                   {"band", b.band},
                   {"channels", b.channels},
                   {"info", b.info},
                   {"readable", b.readable},
                   {"path", b.path}});
    std::cout << j.dump(2) << "\n";
    return kExitOk;
  }
  if (list.empty()) {
    std::cout << "no backups in " << folder << "\n";
    return kExitOk;
  }
  std::cout << "time                 kind   band        channels  file\n";
  for (const auto& b : list) {
    std::string kind = kv3::BackupKindKey(b.kind);
    std::string band = b.readable ? (b.band.empty() ? "?" : b.band) : "(unreadable)";
    std::string channels = b.readable ? std::to_string(b.channels) : "-";
    kind.resize(7, ' ');
    band.resize(std::max<size_t>(band.size(), 12), ' ');
    channels.resize(std::max<size_t>(channels.size(), 10), ' ');
    std::cout << b.time << "  " << kind << band << channels << b.path << "\n";
  }
  return kExitOk;
}

}  // namespace kv3ctl
