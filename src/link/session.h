// ProgrammingSession: one read or write conversation with the radio, as a
// state machine without I/O. It takes events (StartRead, StartWrite,
// OnReceive, OnBreak, OnPortLost, OnTimeoutTick, OnBlinkTick,
// AnswerBandQuestion) and reports its effects to a SessionListener. What it
// needs to know of the program it asks a SessionEnvironment.
//
// Wire protocol (PC = this program):
//   PC "ZR-PROG" -> radio 06 -> PC 02 -> radio 8 bytes with "RT720" -> PC 06
//   read:  radio 06, then 16 x (PC 52 AH AL 40 -> radio 57 AH AL xx + 64 bytes
//          -> PC 06 -> radio 06), then PC 45
//   write: radio 06, then per block (PC 57 AH AL 10 + 16 bytes -> radio 06),
//          then PC 45
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "image/image.h"

namespace kv3 {

// Message box buttons of the session's messages.
inline constexpr int kButtonsInformation = 64;  // OK, information icon
inline constexpr int kButtonsStop = 16;         // OK, stop icon
inline constexpr int kButtonsYesNo = 68;        // Yes and No, information icon

// Progress bar range of a session; a read ends at 425, a write at 450.
inline constexpr int kProgressMaximum = 460;

// Radio addresses of the transfer.
inline constexpr int kReadFirstBlock = 0x0010;
inline constexpr int kReadEnd = 0x0410;  // sixteen 64-byte blocks
inline constexpr int kReadBlockSize = 64;
inline constexpr int kReadBlockCount = 16;
inline constexpr int kWriteEnd = 0x0360;
inline constexpr int kWriteBlockSize = 16;
inline constexpr int kTuningBlock = 0x0180;  // written only while TuningUnlocked

// Time-out watch ticks without an accepted reply that end a session, and blink
// ticks from a finished session to the controls being enabled again.
inline constexpr int kTimeoutTicks = 6;
inline constexpr int kFinishTicks = 6;
// Timer periods of the program's adapters.
inline constexpr int kTimeoutTickMs = 500;
inline constexpr int kBlinkTickMs = 200;

// Received bytes kept while nothing can accept them. No rule accepts more
// than 68 bytes, so anything beyond this bound only waits for the time-out.
inline constexpr size_t kReceiveBufferLimit = 4096;

enum class SessionOutcome {
  None,          // no session yet, or one is running
  ReadComplete,  // the image was handed to DecodeImage
  WriteComplete,
  Declined,     // the band question was answered No
  TimedOut,     // six time-out ticks without an accepted reply
  PortLost,     // the port went away during the session
  PortNotOpen,  // a start with a closed port: no session
  Interrupted,  // the program was told to stop (Abort): ended with the end byte
};

// LastBand after a read of a radio whose band code is none of the band
// list's: no band of the list equals it, so the next write asks the band
// question before it writes a band code into that radio.
inline constexpr int kUnknownBand = -1;

// What the session asks of the program.
class SessionEnvironment {
 public:
  virtual ~SessionEnvironment() = default;
  virtual bool PortIsOpen() const = 0;
  // The band list's (Combo1) current position.
  virtual int BandIndex() const = 0;
  // EncodeImage of the editor; asked once per write, when the radio has
  // identified itself.
  virtual MemoryImage ImageToWrite() const = 0;
  // TuningUnlocked: the power-level block 0x0180 is written too.
  virtual bool TuningUnlocked() const = 0;
};

// The session's effects. Every call happens from inside one of the session's
// event methods. Except for SendBytes all have empty defaults.
//
// A listener may open a modal box in ShowMessage, AskBandQuestion and
// DecodeImage, whose nested event loop delivers bytes and ticks to the
// session meanwhile. The session is ready for that: it is ended, with its
// timers stopped and its end byte sent, before it shows a message or hands
// over an image, and it is suspended while the band question is open. A
// window layer still does best to open message boxes only after the event
// handler has returned (QtSession queues them).
class SessionListener {
 public:
  virtual ~SessionListener() = default;
  // Bytes for the port, in order.
  virtual void SendBytes(std::span<const uint8_t> bytes) = 0;
  // The status text and its visibility (the blink timer toggles it).
  virtual void SetStatusText(const std::string& /*text*/) {}
  virtual void SetStatusVisible(bool /*visible*/) {}
  // ProgressBar1: value in 0..maximum, shown or hidden.
  virtual void SetProgress(int /*value*/, int /*maximum*/, bool /*visible*/) {}
  // Toolbar1, the menu mnupro and the read and write buttons.
  virtual void SetControlsEnabled(bool /*enabled*/) {}
  // Session start: enable the band frame Frame1 and focus the band list Combo1.
  virtual void FocusBandList() {}
  // A message box (the title is the application title); buttons is
  // kButtonsInformation or kButtonsStop. It comes after the session has
  // ended, before SessionEnded.
  virtual void ShowMessage(const std::string& /*text*/, int /*buttons*/) {}
  // The band question (kButtonsYesNo). The session is suspended until
  // AnswerBandQuestion is called, which may happen from inside this call (a
  // modal box) or later (a non-blocking one).
  virtual void AskBandQuestion(const std::string& /*text*/) {}
  // A complete read: the caller runs DecodeImage on the image (radio
  // addresses 0x0010..0x035F) before returning; the session then takes the
  // band list's position into LastBand. The session has ended and sent its
  // end byte already. The whole memory read is ProgrammingSession::ReadMemory().
  virtual void DecodeImage(const MemoryImage& /*image*/) {}
  // Start or stop the 500 ms time-out watch and the 200 ms blink timer.
  virtual void SetTimeoutWatchRunning(bool /*running*/) {}
  virtual void SetBlinkTimerRunning(bool /*running*/) {}
  // The conversation is over (the end byte is sent, or the port is gone, or
  // the start was refused). The controls come back later, on the last blink
  // tick, after a completed or declined session.
  virtual void SessionEnded(SessionOutcome /*outcome*/) {}
};

class ProgrammingSession {
 public:
  ProgrammingSession(SessionEnvironment& environment, SessionListener& listener,
                     Language language = Language::English);

  // Messages and status texts are in this language from the next one on.
  void SetLanguage(Language language) { language_ = language; }
  Language language() const { return language_; }

  // Start a session. False, with the port message (kButtonsInformation), when
  // the port is not open; false, doing nothing, while a session is running.
  bool StartRead();
  bool StartWrite();

  // Bytes from the port (all that were waiting). They are collected, at most
  // kReceiveBufferLimit of them, and acted on only while a session runs and
  // no question is open; a start clears them.
  void OnReceive(std::span<const uint8_t> bytes);
  // A break signal: the first byte of the next delivery (the break's 00) is
  // dropped.
  void OnBreak();
  // The port disappeared (cable pulled): a running session ends at once with
  // the communication error, nothing decoded.
  void OnPortLost();
  // The program is being stopped (an interrupt): a running session ends at
  // once as a failed one does, the end byte sent and the controls enabled,
  // but without the communication error message. Outcome Interrupted.
  void Abort();
  void OnTimeoutTick();
  void OnBlinkTick();
  // The answer to AskBandQuestion: true for Yes. Ignored when no question is
  // open.
  void AnswerBandQuestion(bool yes);

  // A session is running: started and not yet ended (the finishing blink
  // ticks do not count).
  bool Running() const { return !SessionEnded_; }
  bool QuestionOpen() const { return questionOpen_; }
  SessionOutcome outcome() const { return outcome_; }
  // The band remembered by the write's band check (and set by a complete read
  // to the band read from the radio, kUnknownBand when its code is none of
  // the list's).
  int LastBand() const { return LastBand_; }
  void SetLastBand(int band) { LastBand_ = band; }
  // The memory collected by the last read, radio addresses 0x0010 upwards
  // (1024 bytes after a complete read).
  const std::vector<uint8_t>& ReadMemory() const { return ReadImage_; }
  // The image the current or last write took from the program (its blocks
  // are those of WrittenBlocks).
  const MemoryImage& WrittenImage() const { return WriteImage_; }
  // Blocks sent by the current or last write, in order (their addresses).
  const std::vector<int>& WrittenBlocks() const { return writtenBlocks_; }
  // The last session's radio answered the handshake with 8 bytes that were
  // not the identification of this model (another model answered).
  bool IdentificationRefused() const { return identificationRefused_; }
  int Progress() const { return progress_; }
  bool ProgressVisible() const { return progressVisible_; }
  bool ControlsEnabled() const { return controlsEnabled_; }

 private:
  bool Start(char mode);
  void HandleReceived();
  void HandleHandshake();
  void HandleRead();
  void HandleWrite();
  void ContinueWrite();
  void Accept();
  void Send(std::initializer_list<uint8_t> bytes);
  void SendVector();
  void SetStatus(const std::string& text);
  void SetStatusVisible(bool visible);
  void SetProgress(int value, bool visible);
  void SetControls(bool enabled);
  void StopTimeoutWatch();
  void StopBlinkTimer();
  void Finish(const std::string& status, SessionOutcome outcome);
  void Conclude(const std::string& status, SessionOutcome outcome);
  void Fail(SessionOutcome outcome, bool sendEndByte, bool showMessage = true);

  SessionEnvironment& environment_;
  SessionListener& listener_;
  Language language_;

  // The fields of the session, with their start values.
  char SessionMode_ = 0;  // 'R', 'W', or 0 before the first session
  bool HandshakePhase_ = false;
  std::vector<uint8_t> ReceivedHex_;  // received bytes (kept as bytes)
  std::vector<uint8_t> TxBytes_;
  int BlockAddress_ = 0;
  MemoryImage WriteImage_{};
  std::vector<uint8_t> ReadImage_;
  int LastBand_ = 0;
  bool BreakSeen_ = false;
  int TimeoutTicks_ = 0;
  bool SessionEnded_ = true;
  bool SessionFinished_ = false;
  int FinishTicks_ = 0;

  // Beyond those: a read request is waiting for its reply; the band question
  // is open; the timers as the listener was told; the shown values.
  bool replyPending_ = false;
  bool questionOpen_ = false;
  bool identificationRefused_ = false;
  bool timeoutRunning_ = false;
  bool blinkRunning_ = false;
  bool statusVisible_ = false;
  bool progressVisible_ = false;
  bool controlsEnabled_ = true;
  int progress_ = 0;
  SessionOutcome outcome_ = SessionOutcome::None;
  std::vector<int> writtenBlocks_;
};

}  // namespace kv3
