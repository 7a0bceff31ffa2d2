// Throughput of the link cipher and of request-frame building for a frame
// near the 4,194,303-byte pack limit.
#include <benchmark/benchmark.h>

#include "link/frame.h"
#include "link/link_cipher.h"

namespace {

constexpr size_t kNearLimit = molan::kMaxPackSize - 64;

void BM_LinkCipherApply(benchmark::State& state) {
  const molan::Bytes frame(kNearLimit, 'x');
  for (auto _ : state) {
    molan::Bytes out = molan::LinkCipher::apply(frame);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(BM_LinkCipherApply)->Unit(benchmark::kMillisecond);

void BM_BuildRequestFrame(benchmark::State& state) {
  const molan::Bytes payload(kNearLimit - 64, 'A');
  for (auto _ : state) {
    molan::Bytes frame = molan::buildFrame("通用文字识别_标准", {payload});
    benchmark::DoNotOptimize(frame.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.size()));
}
BENCHMARK(BM_BuildRequestFrame)->Unit(benchmark::kMillisecond);

void BM_BuildAndEncipher(benchmark::State& state) {
  const molan::Bytes payload(kNearLimit - 64, 'A');
  for (auto _ : state) {
    molan::Bytes frame = molan::buildFrame("通用文字识别_标准", {payload});
    molan::LinkCipher::applyInPlace(frame.data(), frame.size());
    benchmark::DoNotOptimize(frame.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.size()));
}
BENCHMARK(BM_BuildAndEncipher)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
