// A ProgrammingSession wired to the simulated radio, recording every effect.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "codeplug/codec.h"
#include "editor/band.h"
#include "link/session.h"
#include "link/simulated_radio.h"

namespace kv3::test {

struct SessionHarness : SessionEnvironment, SessionListener {
  SimulatedRadio radio;
  SimulatedPort port{radio};
  ProgrammingSession session{*this, *this};

  // The environment.
  int band = 0;
  bool tuning = false;
  MemoryImage writeImage{};
  // Answer the band question from inside the question (a modal box).
  std::optional<bool> modalAnswer;
  // Run once, from inside the next message, decode or band question, as the
  // nested event loop of a modal box runs whatever arrives while it is open.
  std::function<void()> whileMessageShown, whileDecoding, whileQuestionOpen;

  // The effects.
  std::vector<std::vector<uint8_t>> sent;
  std::vector<std::string> statusTexts;
  std::vector<std::pair<std::string, int>> messages;
  std::vector<std::string> questions;
  std::vector<MemoryImage> decoded;
  std::vector<SessionOutcome> ended;
  bool controlsEnabled = true;
  bool timeoutRunning = false;
  bool blinkRunning = false;
  int progress = -1;
  bool progressVisible = false;

  SessionHarness() {
    port.Open();
    for (size_t i = 0; i < writeImage.size(); ++i) writeImage[i] = static_cast<uint8_t>(i * 7);
  }

  bool PortIsOpen() const override { return port.IsOpen(); }
  int BandIndex() const override { return band; }
  MemoryImage ImageToWrite() const override { return writeImage; }
  bool TuningUnlocked() const override { return tuning; }

  void SendBytes(std::span<const uint8_t> bytes) override {
    sent.emplace_back(bytes.begin(), bytes.end());
    port.Write(bytes);
  }
  void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
  void SetProgress(int value, int, bool visible) override {
    progress = value;
    progressVisible = visible;
  }
  void SetControlsEnabled(bool enabled) override { controlsEnabled = enabled; }
  void ShowMessage(const std::string& text, int buttons) override {
    messages.emplace_back(text, buttons);
    if (auto f = std::exchange(whileMessageShown, nullptr)) f();
  }
  void AskBandQuestion(const std::string& text) override {
    questions.push_back(text);
    if (auto f = std::exchange(whileQuestionOpen, nullptr)) f();
    if (modalAnswer) session.AnswerBandQuestion(*modalAnswer);
  }
  // As the editor's decoder: a band code the list does not know leaves the
  // band list as it was.
  void DecodeImage(const MemoryImage& image) override {
    decoded.push_back(image);
    if (int b = BandIndexOfCode(image[At(addr::kBandCode)]); b >= 0) band = b;
    if (auto f = std::exchange(whileDecoding, nullptr)) f();
  }
  void SetTimeoutWatchRunning(bool running) override { timeoutRunning = running; }
  void SetBlinkTimerRunning(bool running) override { blinkRunning = running; }
  void SessionEnded(SessionOutcome outcome) override { ended.push_back(outcome); }

  // Hands the radio's answers to the session until it has nothing to say.
  void Pump() {
    while (port.HasEvents())
      for (auto& event : port.TakeEvents()) {
        if (event.kind == RadioEvent::Kind::Break)
          session.OnBreak();
        else
          session.OnReceive(event.bytes);
      }
  }
  // Answers, then time-out ticks while the session runs (at most `limit`).
  // Returns the number of ticks given.
  int RunToEnd(int limit = 100) {
    Pump();
    int ticks = 0;
    while (session.Running() && ticks < limit) {
      session.OnTimeoutTick();
      ++ticks;
      Pump();
    }
    return ticks;
  }
  void Blink(int times) {
    for (int i = 0; i < times; ++i) session.OnBlinkTick();
  }
  // The last bytes sent.
  std::vector<uint8_t> LastSent() const {
    return sent.empty() ? std::vector<uint8_t>{} : sent.back();
  }
  // The write blocks sent (address of each "W" frame).
  std::vector<int> BlocksSent() const {
    std::vector<int> blocks;
    for (const auto& s : sent)
      if (s.size() == 20 && s[0] == 'W') blocks.push_back(s[1] << 8 | s[2]);
    return blocks;
  }
};

}  // namespace kv3::test
