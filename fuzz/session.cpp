// The session engine driven by arbitrary events: starts of reads and writes,
// byte deliveries (the simulated radio's answers, whole, in pieces, dropped,
// or arbitrary bytes), break signals, a lost port, the two timers' ticks, band
// changes and answers to the band question.
//
// Whatever happens, the engine
//   - never sends a write block outside the written regions (0x0010-0x017F,
//     0x0180-0x018F only while tuning is unlocked, 0x01B0-0x01BF,
//     0x0200-0x035F), nor one twice, out of order, or with other data than
//     the image it was given;
//   - sends only the protocol's messages, read requests in order;
//   - sends nothing but the end byte once its session has ended;
//   - ends its session by the sixth time-out tick after its last accepted step.
#include "link/session.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "fuzz_check.h"
#include "link/simulated_radio.h"

namespace {

bool WritableBlock(int address, bool tuningUnlocked) {
  if (address % kv3::kWriteBlockSize != 0) return false;
  if (address >= 0x0010 && address < 0x0180) return true;
  if (address == kv3::kTuningBlock) return tuningUnlocked;
  if (address == 0x01B0) return true;
  return address >= 0x0200 && address < 0x0360;
}

struct Environment : kv3::SessionEnvironment {
  bool portOpen = true;
  int band = 0;
  bool tuning = false;
  kv3::MemoryImage image{};
  mutable int imagesTaken = 0;

  bool PortIsOpen() const override { return portOpen; }
  int BandIndex() const override { return band; }
  kv3::MemoryImage ImageToWrite() const override {
    ++imagesTaken;
    return image;
  }
  bool TuningUnlocked() const override { return tuning; }
};

struct Harness : kv3::SessionListener {
  Environment& env;
  kv3::SimulatedRadio& radio;
  std::deque<kv3::RadioEvent> line;  // the radio's answers not yet delivered

  char mode = 0;
  bool ended = true;
  int lastBlock = -1;
  int nextRead = kv3::kReadFirstBlock;
  bool timeoutRunning = false;
  bool blinkRunning = false;
  bool questionAsked = false;
  int ticksSinceStep = 0;

  Harness(Environment& e, kv3::SimulatedRadio& r) : env(e), radio(r) {}

  void SendBytes(std::span<const uint8_t> bytes) override {
    FUZZ_CHECK(!bytes.empty());
    if (ended) {
      // After the end only the end byte may still go out.
      FUZZ_CHECK(bytes.size() == 1 && bytes[0] == 0x45);
    } else {
      ticksSinceStep = 0;
      if (bytes.size() == 20 && bytes[0] == 0x57 && bytes[3] == 0x10) {
        FUZZ_CHECK(mode == 'W');
        int address = bytes[1] << 8 | bytes[2];
        FUZZ_CHECK(WritableBlock(address, env.tuning));
        FUZZ_CHECK(address > lastBlock);
        lastBlock = address;
        for (int k = 0; k < 16; ++k)
          FUZZ_CHECK(bytes[4 + k] == env.image[kv3::At(address) + static_cast<size_t>(k)]);
      } else if (bytes.size() == 4 && bytes[0] == 0x52) {
        // Read requests go out in order, one per block, never a block twice.
        FUZZ_CHECK(mode == 'R');
        FUZZ_CHECK((bytes[1] << 8 | bytes[2]) == nextRead && bytes[3] == kv3::kReadBlockSize);
        FUZZ_CHECK(nextRead < kv3::kReadEnd);
        nextRead += kv3::kReadBlockSize;
      } else if (bytes.size() == 7) {
        static constexpr uint8_t kOpen[] = {'Z', 'R', '-', 'P', 'R', 'O', 'G'};
        FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), kOpen));
      } else {
        // Nothing else than the single bytes of the handshake, the
        // acknowledge and the end.
        FUZZ_CHECK(bytes.size() == 1 && (bytes[0] == 0x02 || bytes[0] == 0x06 || bytes[0] == 0x45));
      }
    }
    std::vector<kv3::RadioEvent> out;
    radio.Receive(bytes, out);
    for (auto& e : out) line.push_back(std::move(e));
  }
  void AskBandQuestion(const std::string& text) override {
    FUZZ_CHECK(!text.empty());
    FUZZ_CHECK(!ended);
    questionAsked = true;
    ticksSinceStep = 0;
  }
  void SetTimeoutWatchRunning(bool running) override { timeoutRunning = running; }
  void SetBlinkTimerRunning(bool running) override { blinkRunning = running; }
  void DecodeImage(const kv3::MemoryImage&) override { FUZZ_CHECK(mode == 'R' && !ended); }
  void SessionEnded(kv3::SessionOutcome) override { ended = true; }

  void Started(char m) {
    mode = m;
    ended = false;
    lastBlock = -1;
    nextRead = kv3::kReadFirstBlock;
    ticksSinceStep = 0;
    questionAsked = false;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);

  Environment env;
  static const kv3::MemoryImage kDemo = kv3::EncodeImage(kv3::DemoState());
  env.image = kDemo;
  if (in.ConsumeBool()) {
    // A few arbitrary bytes of the image, so that the data check means something.
    for (int k = in.ConsumeIntegralInRange(0, 8); k > 0; --k)
      env.image[in.ConsumeIntegralInRange<size_t>(0, kv3::kImageSize - 1)] =
          in.ConsumeIntegral<uint8_t>();
  }
  env.tuning = in.ConsumeBool();
  env.band = in.ConsumeIntegralInRange(0, 6);

  kv3::SimulatedRadio radio;
  auto& faults = radio.faults();
  if (in.ConsumeBool()) faults.pieceSize = in.ConsumeIntegralInRange<size_t>(0, 70);
  if (in.ConsumeBool()) faults.strayByteAt = in.ConsumeIntegralInRange(-1, 70);
  if (in.ConsumeBool()) faults.breakBefore = in.ConsumeIntegralInRange(-1, 70);
  if (in.ConsumeBool()) faults.silentFrom = in.ConsumeIntegralInRange(-1, 70);
  if (in.ConsumeBool()) faults.wrongAddressAt = in.ConsumeIntegralInRange(-1, 40);
  faults.wrongIdentification = in.ConsumeIntegralInRange(0, 15) == 15;

  Harness h(env, radio);
  kv3::ProgrammingSession session(env, h,
                                  static_cast<kv3::Language>(in.ConsumeIntegralInRange(0, 1)));
  if (in.ConsumeBool()) session.SetLastBand(in.ConsumeIntegralInRange(-1, 7));

  for (int steps = 0; steps < 4000 && in.remaining_bytes() > 0; ++steps) {
    bool wasRunning = session.Running();
    switch (in.ConsumeIntegralInRange(0, 12)) {
      case 0:
      case 1: {  // start a session
        char m = in.ConsumeBool() ? 'W' : 'R';
        bool running = session.Running();
        if (!running) h.Started(m);
        bool started = m == 'W' ? session.StartWrite() : session.StartRead();
        if (running) FUZZ_CHECK(!started);
        if (!running && !started) {
          FUZZ_CHECK(!env.portOpen);
          h.ended = true;
        }
        break;
      }
      case 2:
      case 3:
      case 4: {  // deliver what the radio sent, whole or a part of it
        if (h.line.empty()) break;
        kv3::RadioEvent e = std::move(h.line.front());
        h.line.pop_front();
        if (e.kind == kv3::RadioEvent::Kind::Break) {
          session.OnBreak();
          break;
        }
        size_t cut = in.ConsumeIntegralInRange<size_t>(0, e.bytes.size());
        if (cut > 0 && cut < e.bytes.size()) {
          kv3::RadioEvent rest{
              kv3::RadioEvent::Kind::Bytes,
              std::vector<uint8_t>(e.bytes.begin() + static_cast<long>(cut), e.bytes.end())};
          e.bytes.resize(cut);
          h.line.push_front(std::move(rest));
        }
        session.OnReceive(e.bytes);
        break;
      }
      case 5: {  // arbitrary bytes on the line
        auto bytes = in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange<size_t>(1, 80));
        session.OnReceive(bytes);
        break;
      }
      case 6:  // the radio's next answer is lost
        if (!h.line.empty()) h.line.pop_front();
        break;
      case 7:
        session.OnBreak();
        break;
      case 8:
        if (h.timeoutRunning) {
          session.OnTimeoutTick();
          if (wasRunning && session.Running() && !session.QuestionOpen()) {
            ++h.ticksSinceStep;
            FUZZ_CHECK(h.ticksSinceStep < kv3::kTimeoutTicks);
          }
        }
        break;
      case 9:
        if (h.blinkRunning) session.OnBlinkTick();
        break;
      case 10:
        if (session.QuestionOpen()) {
          session.AnswerBandQuestion(in.ConsumeBool());
          h.ticksSinceStep = 0;
        } else {
          session.AnswerBandQuestion(in.ConsumeBool());  // no question: ignored
        }
        break;
      case 11:
        switch (in.ConsumeIntegralInRange(0, 3)) {
          case 0:
            env.band = in.ConsumeIntegralInRange(0, 6);
            break;
          case 1:
            env.tuning = !env.tuning;
            break;
          case 2:
            env.portOpen = !env.portOpen;
            break;
          case 3:
            session.OnPortLost();
            FUZZ_CHECK(!session.Running());
            break;
        }
        break;
      case 12:  // everything the radio sent arrives, as it was sent
        while (!h.line.empty()) {
          kv3::RadioEvent e = std::move(h.line.front());
          h.line.pop_front();
          if (e.kind == kv3::RadioEvent::Kind::Break)
            session.OnBreak();
          else
            session.OnReceive(e.bytes);
        }
        break;
    }
    if (!session.Running()) FUZZ_CHECK(h.ended || !wasRunning);
    if (session.Running()) FUZZ_CHECK(!h.ended);
    // A running session that waits for the radio has its time-out watch on.
    if (session.Running() && !session.QuestionOpen()) FUZZ_CHECK(h.timeoutRunning);
    FUZZ_CHECK(session.WrittenBlocks().size() <= 47);
  }
  return 0;
}
