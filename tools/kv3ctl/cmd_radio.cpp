// kv3ctl read, write and ports: sessions with a radio on a serial port, a
// pseudo-terminal (kv3-radio-sim) or the built-in simulated radio "sim".
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "cli.h"
#include "codeplug/codec.h"
#include "commands.h"
#include "i18n/messages.h"
#include "image/codeplug_file.h"
#include "interchange/backups.h"
#include "interrupts.h"
#include "link/port_names.h"
#include "link/port_numbers.h"
#include "link/port_texts.h"
#include "radio_session.h"

namespace kv3ctl {

namespace {

constexpr kv3::Text2 kOpens{"可以打开", "opens"};
constexpr kv3::Text2 kDoesNotOpen{"无法打开：", "does not open: "};

// Opens --port; prints why it failed (and the program's message).
std::unique_ptr<kv3::QtPort> PortOption(const Args& args, kv3::Language lang) {
  std::string name = args.Value("--port"), device, error;
  auto port = OpenPort(name, device, error, lang);
  if (!port) {
    std::cerr << "kv3ctl: cannot open " << name;
    if (!device.empty() && device != name) std::cerr << " (" << device << ")";
    std::cerr << ": " << error << "\n" << kv3::Localize(kv3::msg::kPortNotOpen, lang) << "\n";
  }
  return port;
}

// What the program's messages do not say about an ending.
void ExplainEnding(const SessionReport& report, const std::string& port) {
  if (report.outcome == kv3::SessionOutcome::PortLost)
    std::cerr << "kv3ctl: " << port << ": the device went away during the session\n";
  if (report.outcome == kv3::SessionOutcome::TimedOut && report.wrongModel)
    std::cerr << "kv3ctl: " << port << ": the radio answered as another model\n";
  if (report.outcome == kv3::SessionOutcome::Declined)
    std::cerr << "kv3ctl: the band question was declined, nothing was written "
                 "(--yes answers it)\n";
}

BandAnswer BandAnswerOption(const Args& args) {
  return args.Has("--yes") ? BandAnswer::Yes : BandAnswer::AskOnTerminal;
}

// --verify: reads the radio back after a write and compares every block the
// write sent with what the radio now holds. Names the first address that
// differs.
int VerifyWrite(kv3::QtPort& port, const std::string& portName, const kv3::EditorState& state,
                const SessionReport& written, const SessionOptions& options) {
  const kv3::MemoryImage sent = kv3::EncodeImage(state);
  std::cerr << "kv3ctl: verifying: reading the radio back\n";
  kv3::EditorState scratch = kv3::StartupState();
  SessionReport back = RunSession(port, SessionKind::Read, scratch, options);
  if (back.outcome == kv3::SessionOutcome::Interrupted) return ExitCodeOf(back.outcome);
  if (!back.ok()) {
    ExplainEnding(back, portName);
    std::cerr << "kv3ctl: verify failed: the radio could not be read back\n";
    return kExitFailure;
  }
  for (int block : written.writtenBlocks)
    for (int i = 0; i < kv3::kWriteBlockSize; ++i) {
      size_t at = kv3::At(block + i);
      if (back.image[at] == sent[at]) continue;
      char text[120];
      std::snprintf(text, sizeof text,
                    "kv3ctl: verify failed: the radio differs at address 0x%04X (written %02X, "
                    "read back %02X)\n",
                    block + i, sent[at], back.image[at]);
      std::cerr << text;
      return kExitFailure;
    }
  std::cerr << "kv3ctl: verified: " << written.writtenBlocks.size()
            << " blocks read back as written\n";
  return kExitOk;
}

}  // namespace

int RunRead(const Arguments& arguments) {
  Args args(arguments, {"--port", "-o", "--lang"}, {});
  if (!args.ok()) return Usage(args.error());
  if (!args.positionals().empty()) return Usage("read takes no file argument; use -o FILE");
  if (!args.Has("--port")) return Usage("read needs --port PORT (a device, COMn or sim)");
  if (!args.Has("-o")) return Usage("read needs -o FILE");
  if (std::string why; !PortOptionsGiven(args, why)) return Usage(why);
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  std::string out = args.Value("-o");
  // Refuse a file that cannot be saved before the radio is bothered.
  std::filesystem::path parent = std::filesystem::absolute(out).parent_path();
  std::error_code ec;
  if (!std::filesystem::is_directory(parent, ec)) {
    std::cerr << out << ": " << kv3::Localize(kv3::msg::kSaveFailed, lang) << "no such folder\n";
    return kExitFile;
  }
  CatchInterrupts();
  auto port = PortOption(args, lang);
  if (!port) return kExitFailure;
  kv3::EditorState state = kv3::StartupState();
  SessionOptions options;
  options.lang = lang;
  SessionReport report = RunSession(*port, SessionKind::Read, state, options);
  ExplainEnding(report, args.Value("--port"));
  if (!report.ok()) return ExitCodeOf(report.outcome);
  // A signal after the session: nothing is saved.
  if (InterruptSignal()) return InterruptExitCode();
  if (kv3::HasUnknownBandCode(report.image)) {
    kv3::EditorState shown = kv3::StartupState();
    if (kv3::DecodeImage(std::span<const uint8_t>(report.image), shown))
      std::cerr << "kv3ctl: " << UnknownBandText(report.image, shown, lang) << "\n";
  }
  // Every complete read is kept as a backup; a backup that fails never fails the read.
  if (kv3::BackupResult backup = kv3::BackupAfterRead(report.image); !backup.ok)
    std::cerr << "kv3ctl: no backup of this read: " << backup.error << "\n";
  // Only a complete read reaches the file, replacing it atomically.
  return SaveImage(out, lang, report.image) ? kExitOk : kExitFile;
}

int DiffWithRadio(const Args& args, kv3::Language lang) {
  // The file is refused before the radio is bothered.
  kv3::EditorState file;
  if (!LoadState(args.positionals()[0], lang, file)) return kExitFile;
  CatchInterrupts();
  auto port = PortOption(args, lang);
  if (!port) return kExitFailure;
  kv3::EditorState scratch = kv3::StartupState();
  SessionOptions options;
  options.lang = lang;
  SessionReport report = RunSession(*port, SessionKind::Read, scratch, options);
  ExplainEnding(report, args.Value("--port"));
  if (!report.ok()) return ExitCodeOf(report.outcome);
  if (InterruptSignal()) return InterruptExitCode();
  if (kv3::BackupResult backup = kv3::BackupAfterRead(report.image); !backup.ok)
    std::cerr << "kv3ctl: no backup of this read: " << backup.error << "\n";
  // The radio as a file of it would load: the same lines as kv3ctl diff
  // RADIO.DAT FILE.
  kv3::EditorState radio = kv3::StartupState();
  if (!kv3::DecodeImage(std::span<const uint8_t>(report.image), radio)) {
    std::cerr << "kv3ctl: the radio's memory could not be decoded\n";
    return kExitFailure;
  }
  if (kv3::HasUnknownBandCode(report.image))
    std::cerr << "kv3ctl: " << UnknownBandText(report.image, radio, lang) << "\n";
  return PrintDifferences(radio, file, lang, args.Has("--json"));
}

int RunWrite(const Arguments& arguments) {
  Args args(arguments, {"--port", "--lang"}, {"--tuning", "--yes", "--verify"});
  if (!args.ok()) return Usage(args.error());
  if (args.positionals().size() != 1) return Usage("write needs exactly one FILE");
  if (!args.Has("--port")) return Usage("write needs --port PORT (a device, COMn or sim)");
  if (std::string why; !PortOptionsGiven(args, why)) return Usage(why);
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  kv3::EditorState state;
  bool unknownBand = false;
  if (!LoadState(args.positionals()[0], lang, state, &unknownBand)) return kExitFile;
  state.shared.TuningUnlocked = args.Has("--tuning") ? 1 : 0;
  CatchInterrupts();
  auto port = PortOption(args, lang);
  if (!port) return kExitFailure;
  SessionOptions options;
  options.lang = lang;
  options.bandAnswer = BandAnswerOption(args);
  // A file whose band code is none of the list's would change the radio's
  // band to the one shown: the band question is asked whatever is shown.
  if (unknownBand) options.lastBand = kv3::kUnknownBand;
  SessionReport report = RunSession(*port, SessionKind::Write, state, options);
  ExplainEnding(report, args.Value("--port"));
  (void)KeepWriteBackup(report);
  if (!report.ok() || !args.Has("--verify")) return ExitCodeOf(report.outcome);
  options.lastBand = report.lastBand;
  return VerifyWrite(*port, args.Value("--port"), state, report, options);
}

int RunPorts(const Arguments& arguments) {
  Args args(arguments, {"--lang"}, {});
  if (!args.ok()) return Usage(args.error());
  if (!args.positionals().empty()) return Usage("ports takes no arguments");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  EnsureEventLoop();
  const std::string mapPath = kv3::PortMapPath();
  std::vector<std::string> fileErrors;
  const auto portMap = kv3::LoadPortMap(mapPath, &fileErrors);
  (void)kv3::LoadPortNumbers(kv3::PortNumbersPath(), &fileErrors);
  for (const auto& e : fileErrors) std::cerr << "kv3ctl: " << e << "\n";
  // New devices get their numbers now, as the program would give them.
  const kv3::PortAssignment ports = kv3::CurrentPortAssignment();
  if (!ports.saveError.empty())
    std::cerr << "kv3ctl: the new COM numbers are not kept: " << ports.saveError << "\n";
  for (const auto& device : ports.unnumbered)
    std::cerr << "kv3ctl: no COM number is left for " << device << "\n";
  std::cout << "Port map: " << (mapPath.empty() ? "(none: no HOME)" : mapPath)
            << (portMap.empty() ? " (no entries)" : "") << "\n";
  std::cout << "Port numbers: "
            << (kv3::PortNumbersPath().empty() ? "(none: no HOME)" : kv3::PortNumbersPath())
            << "\n";
  for (int n = kv3::kFirstComPort; n <= kv3::kLastComPort; ++n) {
    const kv3::ComPort& com = ports[n];
    const std::string name = "COM" + std::to_string(n);
    std::cout << name << std::string(7 - name.size(), ' ');
    if (com.kind == kv3::ComPort::Kind::None) {
      std::cout << "-\n";
      continue;
    }
    std::cout << kv3::ComPortText(com, lang);
    if (com.device.empty()) {
      std::cout << "\n";
      continue;
    }
    kv3::QtSerialPort port;
    port.SetDevicePath(com.device);
    const bool opens = port.Open();
    port.Close();
    std::cout << "  "
              << (opens ? kv3::Localize(kOpens, lang)
                        : kv3::Localize(kDoesNotOpen, lang) +
                              kv3::PortErrorText(port.OpenFailure(), lang))
              << "\n";
  }
  std::cout << "sim    " << kv3::ComPortText({kv3::ComPort::Kind::Simulated, "sim", {}, {}}, lang)
            << "\n";
  return kExitOk;
}

}  // namespace kv3ctl
