// Encoding and decoding the memory image, with and without the hex text.
#include <benchmark/benchmark.h>

#include "codeplug/codec.h"
#include "editor/demo.h"

namespace {

void BM_EncodeImage(benchmark::State& st) {
  kv3::EditorState state = kv3::DemoState();
  for (auto _ : st) {
    kv3::MemoryImage img = kv3::EncodeImage(state);
    benchmark::DoNotOptimize(img);
  }
}
BENCHMARK(BM_EncodeImage);

void BM_DecodeImage(benchmark::State& st) {
  kv3::MemoryImage img = kv3::EncodeImage(kv3::DemoState());
  kv3::EditorState state = kv3::StartupState();
  for (auto _ : st) {
    bool ok = kv3::DecodeImage(std::span<const uint8_t>(img), state);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(state);
  }
}
BENCHMARK(BM_DecodeImage);

void BM_EncodeImageHex(benchmark::State& st) {
  kv3::EditorState state = kv3::DemoState();
  for (auto _ : st) {
    std::string hex = kv3::EncodeImageHex(state);
    benchmark::DoNotOptimize(hex);
  }
}
BENCHMARK(BM_EncodeImageHex);

void BM_DecodeImageHex(benchmark::State& st) {
  std::string hex = kv3::EncodeImageHex(kv3::DemoState());
  kv3::EditorState state = kv3::StartupState();
  for (auto _ : st) {
    bool ok = kv3::DecodeImage(std::string_view(hex), state);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(state);
  }
}
BENCHMARK(BM_DecodeImageHex);

}  // namespace

BENCHMARK_MAIN();
