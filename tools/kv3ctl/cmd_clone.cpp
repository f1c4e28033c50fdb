// kv3ctl clone: the same codeplug into several radios at once, one session
// per port, all on one event loop.
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cli.h"
#include "codeplug/codec.h"
#include "commands.h"
#include "i18n/messages.h"
#include "interrupts.h"
#include "platform/terminal.h"
#include "radio_session.h"

namespace kv3ctl {

namespace {

using Clock = std::chrono::steady_clock;

struct Radio {
  std::string name;
  std::unique_ptr<kv3::QtPort> port;
  std::unique_ptr<RadioJob> job;
  bool verifying = false;
  bool done = false;
  bool ok = false;
  std::string result;
  std::string message;  // the session's message, when it failed
  double seconds = 0;
  int progress = 0;
  int maximum = kv3::kProgressMaximum;
  std::vector<int> writtenBlocks;
};

std::string FailureText(const SessionReport& report) {
  switch (report.outcome) {
    case kv3::SessionOutcome::TimedOut:
      return report.wrongModel ? "wrong model (not an RT720)" : "no answer (time-out)";
    case kv3::SessionOutcome::Interrupted:
      return "interrupted";
    case kv3::SessionOutcome::PortLost:
      return "port lost";
    case kv3::SessionOutcome::PortNotOpen:
      return "port not open";
    case kv3::SessionOutcome::Declined:
      return "declined (band)";
    default:
      return "failed";
  }
}

// The progress lines: redrawn in place on a terminal, one line per radio
// at its end otherwise.
class ProgressLines {
 public:
  ProgressLines(std::vector<Radio>& radios, bool terminal) : radios_(radios), terminal_(terminal) {
    for (const auto& r : radios_) width_ = std::max(width_, r.name.size());
  }

  void Draw() {
    if (!terminal_) return;
    if (drawn_) std::cerr << "\x1b[" << radios_.size() << "A";
    for (const auto& r : radios_) {
      constexpr int kBar = 30;
      int filled = r.maximum > 0 ? r.progress * kBar / r.maximum : 0;
      std::string state = r.done ? r.result : r.verifying ? "verifying" : "writing";
      std::cerr << "\r\x1b[K" << Padded(r.name) << " [" << std::string(filled, '#')
                << std::string(kBar - filled, ' ') << "] " << state << "\n";
    }
    std::cerr << std::flush;
    drawn_ = true;
  }

  void Finished(const Radio& r) {
    if (terminal_) return Draw();
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.1f s", r.seconds);
    std::cerr << Padded(r.name) << " " << r.result << " (" << secs << ")";
    if (!r.message.empty()) std::cerr << ": " << r.message;
    std::cerr << "\n";
  }

  std::string Padded(const std::string& s) const {
    return s + std::string(width_ > s.size() ? width_ - s.size() : 0, ' ');
  }

 private:
  std::vector<Radio>& radios_;
  bool terminal_;
  bool drawn_ = false;
  size_t width_ = 4;
};

}  // namespace

int RunClone(const Arguments& arguments) {
  Args args(arguments, {"--port", "--lang"}, {"--verify", "--tuning", "--yes"}, {"--port"});
  if (!args.ok()) return Usage(args.error());
  if (args.positionals().size() != 1) return Usage("clone needs exactly one FILE");
  std::vector<std::string> names = args.Values("--port");
  if (names.empty()) return Usage("clone needs at least one --port PORT");
  if (std::string why; !PortOptionsGiven(args, why)) return Usage(why);
  if (std::set<std::string>(names.begin(), names.end()).size() != names.size())
    return Usage("a port is given twice");
  kv3::Language lang;
  if (!LanguageOption(args, lang)) return kExitUsage;
  kv3::EditorState state;
  bool unknownBand = false;
  if (!LoadState(args.positionals()[0], lang, state, &unknownBand)) return kExitFile;
  state.shared.TuningUnlocked = args.Has("--tuning") ? 1 : 0;
  const kv3::MemoryImage image = kv3::EncodeImage(state);
  CatchInterrupts();

  // A write asks the band question when the codeplug's band is not the one
  // last confirmed (and always for a band code the list does not know); for
  // a fleet it is asked once, before any radio is touched.
  SessionOptions options;
  options.lang = lang;
  options.progress = false;
  options.bandAnswer = BandAnswer::Yes;
  if (unknownBand) options.lastBand = kv3::kUnknownBand;
  if (state.band.index != options.lastBand && !args.Has("--yes") &&
      !AskYesNoOnTerminal(kv3::Localize(kv3::msg::kBandMismatch, lang))) {
    if (InterruptSignal()) return InterruptExitCode();
    std::cerr << kv3::Localize(kv3::msg::kBandMismatch, lang) << " (--yes answers it)\n";
    return kExitFailure;
  }

  EnsureEventLoop();
  std::vector<Radio> radios(names.size());
  for (size_t k = 0; k < names.size(); ++k) {
    Radio& r = radios[k];
    r.name = names[k];
    std::string device, error;
    r.port = OpenPort(r.name, device, error, lang);
    if (!r.port) {
      r.done = true;
      r.result = "port does not open: " + error;
      r.message = error;
    }
  }

  const bool terminal = kv3::IsTerminal(kv3::kStandardError);
  ProgressLines lines(radios, terminal);
  QEventLoop loop;
  const Clock::time_point start = Clock::now();
  size_t remaining = 0;
  auto finish = [&](Radio& r, bool ok, const std::string& result, const std::string& message) {
    if (r.done) return;
    r.done = true;
    r.ok = ok;
    if (ok) r.progress = r.maximum;
    r.result = result;
    r.message = message;
    r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    lines.Finished(r);
    if (--remaining == 0) loop.quit();
  };
  auto ended = [&](Radio& r) {
    const SessionReport& report = r.job->report();
    std::string message = report.messages.empty() ? "" : report.messages.back();
    if (!r.verifying) {
      if (!report.ok()) return finish(r, false, FailureText(report), message);
      (void)KeepWriteBackup(report);
      if (!args.Has("--verify")) return finish(r, true, "written", "");
      r.writtenBlocks = report.writtenBlocks;
      r.verifying = true;
      r.progress = 0;
      // The read starts once the write's last event has been handled.
      // A refused start ends through sessionEnded as well.
      QTimer::singleShot(0, &r.job->session(), [&r] { r.job->Start(SessionKind::Read); });
      return;
    }
    if (!report.ok()) return finish(r, false, "verify: " + FailureText(report), message);
    int differing = 0;
    for (int block : r.writtenBlocks)
      for (int i = 0; i < kv3::kWriteBlockSize; ++i)
        if (report.image[kv3::At(block + i)] != image[kv3::At(block + i)]) ++differing;
    if (differing)
      return finish(r, false, "verify: " + std::to_string(differing) + " bytes differ", "");
    finish(r, true, "written and verified", "");
  };

  for (Radio& r : radios) {
    if (r.done) continue;
    ++remaining;
    r.job = std::make_unique<RadioJob>(*r.port, state, options);
    kv3::QtSession* session = &r.job->session();
    QObject::connect(session, &kv3::QtSession::progressChanged, session,
                     [&r, &lines](int value, int maximum, bool visible) {
                       if (!visible) return;
                       r.progress = value;
                       r.maximum = maximum;
                       lines.Draw();
                     });
    QObject::connect(
        session, &kv3::QtSession::sessionEnded, session, [&r, &ended](int) { ended(r); },
        Qt::QueuedConnection);
  }
  lines.Draw();
  for (Radio& r : radios) {
    if (r.done || !r.job) continue;
    // A start refused (port closed) still ends through the queued sessionEnded.
    r.job->Start(SessionKind::Write);
  }
  if (remaining > 0) loop.exec();

  // The summary table.
  size_t portWidth = 4, resultWidth = 6;
  for (const auto& r : radios) {
    portWidth = std::max(portWidth, r.name.size());
    resultWidth = std::max(resultWidth, r.result.size());
  }
  auto pad = [](std::string s, size_t w) {
    s.resize(std::max(s.size(), w), ' ');
    return s;
  };
  std::cout << pad("port", portWidth) << "  " << pad("result", resultWidth) << "  seconds\n";
  bool allOk = true;
  for (const auto& r : radios) {
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.1f", r.seconds);
    std::cout << pad(r.name, portWidth) << "  " << pad(r.result, resultWidth) << "  " << secs
              << "\n";
    allOk = allOk && r.ok;
  }
  if (InterruptSignal()) {
    std::cerr << "kv3ctl: interrupted by " << InterruptName()
              << ": every session was ended and its radio told so\n";
    return InterruptExitCode();
  }
  return allOk ? kExitOk : kExitFailure;
}

}  // namespace kv3ctl
