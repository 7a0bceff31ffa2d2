// Building a recognition request for a picture: payload encoding (base64 and
// percent-encoding), the frame, and the link cipher over the whole frame.
#include <benchmark/benchmark.h>

#include <random>

#include "link/link_cipher.h"
#include "recognition/picture_payload.h"
#include "recognition/recognition_kind.h"

namespace molan {
namespace {

Bytes randomPicture(size_t size) {
  std::mt19937 random(7);
  Bytes bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}

void BM_BuildRecognitionRequest(benchmark::State& state) {
  const Bytes picture = randomPicture(static_cast<size_t>(state.range(0)));
  size_t frameSize = 0;
  for (auto _ : state) {
    const Bytes frame = buildRecognitionRequest(RecognitionKind::Standard, encodePicturePayload(picture));
    const Bytes wire = LinkCipher::apply(frame);
    frameSize = wire.size();
    benchmark::DoNotOptimize(wire.data());
  }
  state.counters["frame_bytes"] = static_cast<double>(frameSize);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_BuildRecognitionRequest)->Arg(3 << 20)->Unit(benchmark::kMillisecond);

void BM_EncodePicturePayload(benchmark::State& state) {
  const Bytes picture = randomPicture(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(encodePicturePayload(picture).data());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_EncodePicturePayload)->Arg(3 << 20)->Unit(benchmark::kMillisecond);

void BM_EncodeBase64(benchmark::State& state) {
  const Bytes picture = randomPicture(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(encodeBase64(picture).data());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_EncodeBase64)->Arg(3 << 20)->Unit(benchmark::kMillisecond);

void BM_FormUrlEncode(benchmark::State& state) {
  const Bytes base64 = encodeBase64(randomPicture(static_cast<size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(formUrlEncode(base64).data());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(base64.size()));
}
BENCHMARK(BM_FormUrlEncode)->Arg(3 << 20)->Unit(benchmark::kMillisecond);

void BM_LinkCipher(benchmark::State& state) {
  const Bytes frame = randomPicture(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LinkCipher::apply(frame).data());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_LinkCipher)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace molan
