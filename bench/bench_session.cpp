// The session engine alone against the in-process simulated radio, without
// pacing: complete read and write sessions a second (target: 20,000 reads).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "codeplug/codec.h"
#include "editor/demo.h"
#include "link/session.h"
#include "link/simulated_radio.h"

namespace {

struct Link : kv3::SessionEnvironment, kv3::SessionListener {
  kv3::SimulatedRadio radio;
  kv3::SimulatedPort port{radio};
  kv3::ProgrammingSession session{*this, *this};
  kv3::MemoryImage image = kv3::EncodeImage(kv3::DemoState());
  kv3::EditorState decoded = kv3::StartupState();
  bool decode = false;

  Link() { port.Open(); }
  bool PortIsOpen() const override { return true; }
  int BandIndex() const override { return 0; }
  kv3::MemoryImage ImageToWrite() const override { return image; }
  bool TuningUnlocked() const override { return false; }
  void SendBytes(std::span<const uint8_t> bytes) override { port.Write(bytes); }
  void DecodeImage(const kv3::MemoryImage& read) override {
    if (decode && !kv3::DecodeImage(std::span<const uint8_t>(read), decoded)) std::abort();
  }

  void Run() {
    while (port.HasEvents())
      for (auto& e : port.TakeEvents()) session.OnReceive(e.bytes);
    for (int i = 0; i < kv3::kFinishTicks; ++i) session.OnBlinkTick();
  }
};

void BM_ReadSession(benchmark::State& st) {
  Link link;
  link.decode = st.range(0) != 0;
  for (auto _ : st) {
    link.session.StartRead();
    link.Run();
    if (link.session.outcome() != kv3::SessionOutcome::ReadComplete)
      st.SkipWithError("read failed");
  }
  st.counters["sessions/s"] =
      benchmark::Counter(static_cast<double>(st.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadSession)->Arg(0)->Arg(1)->ArgName("decode");

void BM_WriteSession(benchmark::State& st) {
  Link link;
  for (auto _ : st) {
    link.session.StartWrite();
    link.Run();
    if (link.session.outcome() != kv3::SessionOutcome::WriteComplete)
      st.SkipWithError("write failed");
  }
  st.counters["sessions/s"] =
      benchmark::Counter(static_cast<double>(st.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WriteSession);

}  // namespace

BENCHMARK_MAIN();
