#include "link/session.h"

#include <algorithm>
#include <cstdio>

#include "codeplug/codec.h"
#include "i18n/messages.h"

namespace kv3 {

namespace {

constexpr uint8_t kAck = 0x06;
constexpr uint8_t kIdentify = 0x02;
constexpr uint8_t kEnd = 0x45;
constexpr uint8_t kReadRequest = 0x52;
constexpr uint8_t kWriteBlock = 0x57;
constexpr uint8_t kOpen[] = {'Z', 'R', '-', 'P', 'R', 'O', 'G'};
constexpr size_t kIdentificationSize = 8;
constexpr size_t kReadReplySize = 4 + kReadBlockSize;
constexpr int kReadStep = 25;
constexpr int kWriteStep = 10;
constexpr int kWriteProgressEnd = 450;

// The identification is accepted when its hex text contains the model
// "RT720" anywhere, even across a digit boundary, as the radio's own check does.
bool IsIdentification(std::span<const uint8_t> bytes) {
  if (bytes.size() != kIdentificationSize) return false;
  char hex[2 * kIdentificationSize + 1];
  for (size_t i = 0; i < bytes.size(); ++i) std::snprintf(hex + 2 * i, 3, "%02X", bytes[i]);
  return std::string_view(hex, 2 * kIdentificationSize).find("5254373230") !=
         std::string_view::npos;
}

}  // namespace

ProgrammingSession::ProgrammingSession(SessionEnvironment& environment, SessionListener& listener,
                                       Language language)
    : environment_(environment), listener_(listener), language_(language) {
  ReceivedHex_.reserve(kReceiveBufferLimit);
  ReadImage_.reserve(kReadBlockCount * kReadBlockSize);
}

bool ProgrammingSession::StartRead() {
  return Start('R');
}
bool ProgrammingSession::StartWrite() {
  return Start('W');
}

bool ProgrammingSession::Start(char mode) {
  if (!SessionEnded_) return false;
  if (!environment_.PortIsOpen()) {
    outcome_ = SessionOutcome::PortNotOpen;
    listener_.ShowMessage(Localize(msg::kPortNotOpen, language_), kButtonsInformation);
    listener_.SessionEnded(outcome_);
    return false;
  }
  SetControls(false);
  ReceivedHex_.clear();
  SessionMode_ = mode;
  HandshakePhase_ = true;
  SessionEnded_ = false;
  // A session started while the last one's blink ticks still count takes the
  // blink timer over.
  SessionFinished_ = false;
  FinishTicks_ = 0;
  TimeoutTicks_ = 0;
  BreakSeen_ = false;
  replyPending_ = false;
  questionOpen_ = false;
  identificationRefused_ = false;
  outcome_ = SessionOutcome::None;
  writtenBlocks_.clear();
  listener_.FocusBandList();
  TxBytes_.assign(std::begin(kOpen), std::end(kOpen));
  SendVector();
  SetStatus(Localize(msg::kCommunicating, language_));
  timeoutRunning_ = true;
  listener_.SetTimeoutWatchRunning(true);
  blinkRunning_ = true;
  listener_.SetBlinkTimerRunning(true);
  return true;
}

void ProgrammingSession::OnBreak() {
  BreakSeen_ = true;
}

void ProgrammingSession::OnReceive(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  // After a break the first byte received is the break's own 00: drop it.
  if (BreakSeen_) {
    bytes = bytes.subspan(1);
    BreakSeen_ = false;
  }
  size_t room = kReceiveBufferLimit - ReceivedHex_.size();
  ReceivedHex_.insert(ReceivedHex_.end(), bytes.begin(),
                      bytes.begin() + static_cast<std::ptrdiff_t>(std::min(room, bytes.size())));
  if (SessionEnded_ || questionOpen_) return;
  HandleReceived();
}

void ProgrammingSession::HandleReceived() {
  if (HandshakePhase_)
    HandleHandshake();
  else if (SessionMode_ == 'R')
    HandleRead();
  else
    HandleWrite();
}

void ProgrammingSession::Accept() {
  TimeoutTicks_ = 0;
  ReceivedHex_.clear();
}

void ProgrammingSession::HandleHandshake() {
  if (ReceivedHex_.size() == 1 && ReceivedHex_[0] == kAck) {
    Accept();
    Send({kIdentify});
  } else if (IsIdentification(ReceivedHex_)) {
    Accept();
    Send({kAck});
    BlockAddress_ = kReadFirstBlock;
    HandshakePhase_ = false;
    if (SessionMode_ == 'W') WriteImage_ = environment_.ImageToWrite();
    ReadImage_.clear();
    SetProgress(0, true);
  } else if (ReceivedHex_.size() == kIdentificationSize) {
    // Eight bytes, but not this model's: noted for the explanation of the
    // time-out that follows.
    identificationRefused_ = true;
  }
}

void ProgrammingSession::HandleRead() {
  if (ReceivedHex_.size() == 1 && ReceivedHex_[0] == kAck && !replyPending_) {
    Accept();
    if (progress_ < kProgressMaximum) SetProgress(progress_ + kReadStep, progressVisible_);
    if (BlockAddress_ != kReadEnd) {
      auto address = static_cast<uint16_t>(BlockAddress_);
      Send({kReadRequest, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
            kReadBlockSize});
      BlockAddress_ += kReadBlockSize;
      replyPending_ = true;
      return;
    }
    // All sixteen blocks are in. The session is over before the decode, which
    // may open a window: nothing that arrives meanwhile can move it.
    MemoryImage image;
    std::copy_n(ReadImage_.begin(), image.size(), image.begin());
    Conclude(Localize(msg::kReadSuccess, language_), SessionOutcome::ReadComplete);
    listener_.DecodeImage(image);
    // The band list now shows the radio's band: a later write asks the band
    // question only when the user changes it. A band code the list does not
    // know left the list as it was, showing a band the radio does not have:
    // the next write asks, whatever the list shows.
    LastBand_ = HasUnknownBandCode(image) ? kUnknownBand : environment_.BandIndex();
    listener_.SessionEnded(outcome_);
    return;
  }
  if (ReceivedHex_.size() == kReadReplySize && ReceivedHex_[0] == kWriteBlock && replyPending_) {
    auto requested = static_cast<uint16_t>(BlockAddress_ - kReadBlockSize);
    if (ReceivedHex_[1] != static_cast<uint8_t>(requested >> 8) ||
        ReceivedHex_[2] != static_cast<uint8_t>(requested))
      return;
    ReadImage_.insert(ReadImage_.end(), ReceivedHex_.begin() + 4, ReceivedHex_.end());
    replyPending_ = false;
    Accept();
    Send({kAck});
  }
}

void ProgrammingSession::HandleWrite() {
  if (ReceivedHex_.size() != 1 || ReceivedHex_[0] != kAck) return;
  Accept();
  if (progress_ < kWriteProgressEnd) SetProgress(progress_ + kWriteStep, progressVisible_);
  int band = environment_.BandIndex();
  if (band != LastBand_) {
    LastBand_ = band;
    // The session waits for the answer: no time-out, nothing sent.
    questionOpen_ = true;
    listener_.AskBandQuestion(Localize(msg::kBandMismatch, language_));
    return;
  }
  ContinueWrite();
}

void ProgrammingSession::AnswerBandQuestion(bool yes) {
  if (!questionOpen_) return;
  questionOpen_ = false;
  TimeoutTicks_ = 0;
  if (!yes) {
    Finish(Localize(msg::kBandMismatch, language_), SessionOutcome::Declined);
    return;
  }
  // Bytes that came while the question was open stay in front of the next
  // reply, which then is no acknowledge: the radio should have kept quiet.
  ContinueWrite();
}

void ProgrammingSession::ContinueWrite() {
  if (BlockAddress_ == kWriteEnd) {
    Finish(Localize(msg::kWriteSuccess, language_), SessionOutcome::WriteComplete);
    return;
  }
  if (BlockAddress_ == kTuningBlock && !environment_.TuningUnlocked()) BlockAddress_ = 0x01B0;
  if (BlockAddress_ == 0x0190) BlockAddress_ = 0x01B0;
  if (BlockAddress_ == 0x01C0) BlockAddress_ = 0x0200;
  auto address = static_cast<uint16_t>(BlockAddress_);
  TxBytes_.resize(4 + kWriteBlockSize);
  TxBytes_[0] = kWriteBlock;
  TxBytes_[1] = static_cast<uint8_t>(address >> 8);
  TxBytes_[2] = static_cast<uint8_t>(address);
  TxBytes_[3] = kWriteBlockSize;
  std::copy_n(WriteImage_.begin() + At(BlockAddress_), kWriteBlockSize, TxBytes_.begin() + 4);
  writtenBlocks_.push_back(BlockAddress_);
  BlockAddress_ += kWriteBlockSize;
  SendVector();
}

void ProgrammingSession::Finish(const std::string& status, SessionOutcome outcome) {
  Conclude(status, outcome);
  listener_.SessionEnded(outcome);
}

// A completed or declined session: ended, its end byte sent; the blink timer
// brings the controls back.
void ProgrammingSession::Conclude(const std::string& status, SessionOutcome outcome) {
  StopTimeoutWatch();
  SessionEnded_ = true;
  SessionFinished_ = true;
  FinishTicks_ = 0;
  replyPending_ = false;
  questionOpen_ = false;
  outcome_ = outcome;
  SetStatus(status);
  SetProgress(progress_, false);
  Send({kEnd});
}

void ProgrammingSession::OnTimeoutTick() {
  if (!timeoutRunning_ || SessionEnded_ || questionOpen_) return;
  if (++TimeoutTicks_ < kTimeoutTicks) return;
  Fail(SessionOutcome::TimedOut, true);
}

void ProgrammingSession::OnPortLost() {
  if (SessionEnded_) return;
  Fail(SessionOutcome::PortLost, false);
}

void ProgrammingSession::Abort() {
  if (SessionEnded_) return;
  questionOpen_ = false;
  Fail(SessionOutcome::Interrupted, true, false);
}

// The session is settled (ended, timers stopped, controls back, end byte
// sent) before the message is shown: a modal box runs a nested event loop in
// which late replies and ticks arrive, and they must find the session over.
void ProgrammingSession::Fail(SessionOutcome outcome, bool sendEndByte, bool showMessage) {
  StopTimeoutWatch();
  StopBlinkTimer();
  SessionEnded_ = true;
  SessionFinished_ = false;
  FinishTicks_ = 0;
  TimeoutTicks_ = 0;
  replyPending_ = false;
  questionOpen_ = false;
  ReceivedHex_.clear();
  outcome_ = outcome;
  SetStatusVisible(false);
  SetControls(true);
  SetProgress(progress_, false);
  if (sendEndByte) Send({kEnd});
  if (showMessage) listener_.ShowMessage(Localize(msg::kCommError, language_), kButtonsStop);
  listener_.SessionEnded(outcome);
}

void ProgrammingSession::OnBlinkTick() {
  if (!blinkRunning_) return;
  SetStatusVisible(!statusVisible_);
  if (!SessionFinished_) return;
  if (++FinishTicks_ < kFinishTicks) return;
  FinishTicks_ = 0;
  SessionFinished_ = false;
  SetStatusVisible(false);
  StopBlinkTimer();
  SetControls(true);
}

void ProgrammingSession::Send(std::initializer_list<uint8_t> bytes) {
  TxBytes_.assign(bytes);
  SendVector();
}

void ProgrammingSession::SendVector() {
  listener_.SendBytes(TxBytes_);
}

void ProgrammingSession::SetStatus(const std::string& text) {
  listener_.SetStatusText(text);
}

void ProgrammingSession::SetStatusVisible(bool visible) {
  statusVisible_ = visible;
  listener_.SetStatusVisible(visible);
}

void ProgrammingSession::SetProgress(int value, bool visible) {
  progress_ = value;
  progressVisible_ = visible;
  listener_.SetProgress(value, kProgressMaximum, visible);
}

void ProgrammingSession::SetControls(bool enabled) {
  controlsEnabled_ = enabled;
  listener_.SetControlsEnabled(enabled);
}

void ProgrammingSession::StopTimeoutWatch() {
  timeoutRunning_ = false;
  listener_.SetTimeoutWatchRunning(false);
}

void ProgrammingSession::StopBlinkTimer() {
  blinkRunning_ = false;
  listener_.SetBlinkTimerRunning(false);
}

}  // namespace kv3
