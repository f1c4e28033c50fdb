#include "radio_session.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <iostream>

#include "cli.h"
#include "interchange/backups.h"
#include "interrupts.h"
#include "link/port_names.h"
#include "link/port_texts.h"
#include "platform/terminal.h"

namespace kv3ctl {

void EnsureEventLoop() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "kv3ctl";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}

std::unique_ptr<kv3::QtPort> OpenPort(const std::string& name, std::string& device,
                                      std::string& error, kv3::Language lang) {
  EnsureEventLoop();
  std::unique_ptr<kv3::QtPort> port;
  if (name == "sim") {
    device = "sim";
    port = std::make_unique<kv3::QtSimulatedPort>();
  } else {
    auto serial = std::make_unique<kv3::QtSerialPort>();
    if (int n = kv3::ParseComPortName(name)) {
      serial->SetPortNumber(n);
    } else if (!name.empty() && name[0] != '-') {
      serial->SetDevicePath(name);
    }
    device = serial->devicePath();
    port = std::move(serial);
  }
  if (!port->Open()) {
    error = kv3::PortErrorText(port->OpenFailure(), lang);
    return nullptr;
  }
  return port;
}

namespace {

bool IsTerminal(int fd) {
  return kv3::IsTerminal(fd);
}

void DrawBar(int value, int maximum) {
  constexpr int kWidth = 40;
  int filled = maximum > 0 ? value * kWidth / maximum : 0;
  std::cerr << "\r[" << std::string(static_cast<size_t>(filled), '#')
            << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << value << "/"
            << maximum << std::flush;
}

}  // namespace

bool AskYesNoOnTerminal(const std::string& question) {
  if (!IsTerminal(0) || !IsTerminal(2)) return false;
  std::cerr << question << " [y/N] " << std::flush;
  std::optional<std::string> answer = ReadAnswerLine();
  if (!answer) std::cerr << "\n";
  return answer && !answer->empty() && ((*answer)[0] == 'y' || (*answer)[0] == 'Y');
}

RadioJob::RadioJob(kv3::QtPort& port, const kv3::EditorState& state, const SessionOptions& options)
    : environment_(state, port), options_(options) {
  session_ = std::make_unique<kv3::QtSession>(port, environment_, options.lang);
  session_->session().SetLastBand(options.lastBand);
  auto* s = session_.get();
  bool terminal = options_.progress && IsTerminal(2);
  QObject::connect(s, &kv3::QtSession::statusTextChanged, s, [this, terminal](const QString& t) {
    report_.status = t.toStdString();
    if (options_.progress && !terminal) std::cerr << report_.status << "\n";
  });
  QObject::connect(s, &kv3::QtSession::progressChanged, s,
                   [this, terminal](int value, int maximum, bool visible) {
                     if (!terminal) return;
                     if (visible) {
                       DrawBar(value, maximum);
                       barShown_ = true;
                     }
                   });
  QObject::connect(s, &kv3::QtSession::messageRequested, s, [this](const QString& text, int) {
    report_.messages.push_back(text.toStdString());
  });
  QObject::connect(s, &kv3::QtSession::bandQuestionAsked, s, [this](const QString& text) {
    bool ask = options_.bandAnswer == BandAnswer::AskOnTerminal;
    if (ask && barShown_) std::cerr << "\n";
    bool yes =
        options_.bandAnswer == BandAnswer::Yes || (ask && AskYesNoOnTerminal(text.toStdString()));
    // Interrupted while the question waited: the session ends as interrupted.
    if (InterruptSignal())
      session_->session().Abort();
    else
      session_->answerBandQuestion(yes);
  });
  QObject::connect(s, &kv3::QtSession::imageRead, s, [this](const QByteArray& image) {
    std::copy_n(reinterpret_cast<const uint8_t*>(image.constData()), report_.image.size(),
                report_.image.begin());
  });
  QObject::connect(s, &kv3::QtSession::sessionEnded, s, [this, terminal](int outcome) {
    report_.outcome = static_cast<kv3::SessionOutcome>(outcome);
    report_.memory = session_->session().ReadMemory();
    report_.writtenBlocks = session_->session().WrittenBlocks();
    report_.written = session_->session().WrittenImage();
    report_.lastBand = session_->session().LastBand();
    report_.wrongModel = session_->session().IdentificationRefused();
    if (terminal && barShown_) std::cerr << "\n";
    if (terminal && !report_.status.empty() && report_.ok()) std::cerr << report_.status << "\n";
    if (options_.progress) {
      if (report_.outcome == kv3::SessionOutcome::Declined && terminal)
        std::cerr << report_.status << "\n";
      for (const auto& m : report_.messages) std::cerr << m << "\n";
      if (report_.outcome == kv3::SessionOutcome::Interrupted)
        std::cerr << "kv3ctl: interrupted by " << InterruptName()
                  << ": the session was ended and the radio told so\n";
    }
    done_ = true;
  });
  // A signal ends the session at once, as a failure does: with the end byte.
  interruptWatch_ = WatchInterrupts([this] { session_->session().Abort(); });
}

RadioJob::~RadioJob() {
  UnwatchInterrupts(interruptWatch_);
}

bool RadioJob::Start(SessionKind kind) {
  done_ = false;
  if (InterruptSignal()) {
    // Interrupted before this session began: it ends before it starts.
    emit session_->sessionEnded(static_cast<int>(kv3::SessionOutcome::Interrupted));
    return false;
  }
  // A start refused for a closed port ends through sessionEnded as well
  // (queued); one refused while a session runs ends with that session.
  return kind == SessionKind::Read ? session_->startRead() : session_->startWrite();
}

SessionReport RunSession(kv3::QtPort& port, SessionKind kind, const kv3::EditorState& state,
                         const SessionOptions& options) {
  EnsureEventLoop();
  RadioJob job(port, state, options);
  QEventLoop loop;
  QObject::connect(&job.session(), &kv3::QtSession::sessionEnded, &loop, &QEventLoop::quit,
                   Qt::QueuedConnection);
  job.Start(kind);
  if (!job.done()) loop.exec();
  return job.report();
}

bool KeepWriteBackup(const SessionReport& report) {
  if (report.outcome != kv3::SessionOutcome::WriteComplete) return false;
  const kv3::BackupResult backup = kv3::BackupAfterWrite(report.written);
  if (!backup.ok) std::cerr << "kv3ctl: no backup of this write: " << backup.error << "\n";
  return backup.ok;
}

int ExitCodeOf(kv3::SessionOutcome outcome) {
  if (outcome == kv3::SessionOutcome::Interrupted) return InterruptExitCode();
  return outcome == kv3::SessionOutcome::ReadComplete ||
                 outcome == kv3::SessionOutcome::WriteComplete
             ? kExitOk
             : kExitFailure;
}

}  // namespace kv3ctl
