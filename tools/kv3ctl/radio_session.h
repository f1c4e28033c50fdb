// One session with a radio on a port, on Qt's event loop: the building block
// of kv3ctl read and write (and of commands that run several sessions, one
// after another or on several ports at once).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "i18n/language.h"
#include "link/editor_environment.h"
#include "link/qt/qt_link.h"

namespace kv3ctl {

// A port by name: "sim" (the built-in simulated radio, with the demo
// codeplug), "COMn" (see kv3::ComPortDevice) or a device path. The port is
// returned open; nullptr with the device and the reason (in lang) when it
// does not open.
std::unique_ptr<kv3::QtPort> OpenPort(const std::string& name, std::string& device,
                                      std::string& error,
                                      kv3::Language lang = kv3::Language::English);

enum class SessionKind { Read, Write };
enum class BandAnswer { Yes, No, AskOnTerminal };

struct SessionOptions {
  kv3::Language lang = kv3::Language::English;
  BandAnswer bandAnswer = BandAnswer::No;
  bool progress = true;  // a progress bar (terminal) or the status lines on stderr
  int lastBand = 0;      // LastBand at the start of the session
};

struct SessionReport {
  kv3::SessionOutcome outcome = kv3::SessionOutcome::None;
  std::string status;                 // the last status text
  std::vector<std::string> messages;  // message boxes, in order
  kv3::MemoryImage image{};           // a complete read: the memory image
  std::vector<uint8_t> memory;        // a complete read: all 1024 bytes
  std::vector<int> writtenBlocks;     // a write: the blocks sent
  kv3::MemoryImage written{};         // a write: the image its blocks came from
  int lastBand = 0;
  bool wrongModel = false;  // the radio identified itself as another model
  bool ok() const {
    return outcome == kv3::SessionOutcome::ReadComplete ||
           outcome == kv3::SessionOutcome::WriteComplete;
  }
};

// A session in progress on a port. Several jobs may run on one event loop;
// done() tells when the conversation is over.
class RadioJob {
 public:
  // state: the editor whose image a write sends (TuningUnlocked included);
  // it must outlive the job.
  RadioJob(kv3::QtPort& port, const kv3::EditorState& state, const SessionOptions& options);
  ~RadioJob();
  bool Start(SessionKind kind);
  bool done() const { return done_; }
  const SessionReport& report() const { return report_; }
  kv3::QtSession& session() { return *session_; }

 private:
  kv3::EditorSessionEnvironment environment_;
  SessionOptions options_;
  std::unique_ptr<kv3::QtSession> session_;
  SessionReport report_;
  bool done_ = false;
  bool barShown_ = false;
  int interruptWatch_ = 0;
};

// Runs one session to its end and reports it (and, with options.progress, its
// messages on stderr).
SessionReport RunSession(kv3::QtPort& port, SessionKind kind, const kv3::EditorState& state,
                         const SessionOptions& options);

// Every completed write is kept as a backup (marked as written); a backup
// that fails is said on stderr and never fails the write. Returns whether it
// was kept.
bool KeepWriteBackup(const SessionReport& report);

// Exit code of an outcome: 0 for a completed session, 128 + the signal for
// an interrupted one, 1 for the others.
int ExitCodeOf(kv3::SessionOutcome outcome);

// Asks a yes/no question on the terminal (stdin and stderr both terminals);
// false without one, at the end of the input and when interrupted.
bool AskYesNoOnTerminal(const std::string& question);

// Makes sure a QCoreApplication exists (kv3ctl creates it only for the radio).
void EnsureEventLoop();

}  // namespace kv3ctl
