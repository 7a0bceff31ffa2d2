// Scanning a recognition reply: a result of N lines in N / 10 paragraphs, in
// every kind's style, up to the result lines. Complexity is fitted over N to
// show the scan stays linear in the reply's size.
#include <benchmark/benchmark.h>

#include <string>

#include "link/frame.h"
#include "recognition/reply_scan.h"

namespace molan {
namespace {

// One recognised line: Chinese and ASCII, about 40 bytes of UTF-8.
Bytes lineText(int i) {
  const char8_t* words = u8"墨澜文字识别 line ";
  return Bytes(reinterpret_cast<const char*>(words)) + std::to_string(i);
}

Bytes location(int i, bool spaced) {
  const std::string c = spaced ? ": " : ":";
  const std::string s = spaced ? ", " : ",";
  return "{\"top\"" + c + std::to_string(i * 20) + s + "\"left\"" + c + "8" + s + "\"width\"" + c + "300" + s +
         "\"height\"" + c + "18}";
}

Bytes replyJson(RecognitionKind kind, int lines) {
  const bool spaced = kindInfo(kind).style == ReplyStyle::Spaced;
  const bool positions = kindInfo(kind).positions;
  const std::string c = spaced ? ": " : ":";
  const std::string s = spaced ? ", " : ",";
  Bytes json = "{\"words_result\"" + c + "[";
  for (int i = 0; i < lines; ++i) {
    if (i > 0) json += s;
    if (positions && spaced) {
      json += "{\"location\"" + c + location(i, true) + s + "\"words\"" + c + "\"" + lineText(i) + "\"}";
    } else if (positions) {
      json += "{\"words\"" + c + "\"" + lineText(i) + "\"" + s + "\"location\"" + c + location(i, false) + "}";
    } else {
      json += "{\"words\"" + c + "\"" + lineText(i) + "\"}";
    }
  }
  json += "]" + s;
  if (!spaced) json += "\"log_id\"" + c + "1234567890" + s;
  json += "\"paragraphs_result\"" + c + "[";
  for (int p = 0; p < lines / 10; ++p) {
    if (p > 0) json += s;
    json += "{\"words_result_idx\"" + c + "[";
    for (int k = 0; k < 10; ++k) json += (k > 0 ? s : "") + std::to_string(p * 10 + k);
    json += "]}";
  }
  json += "]";
  if (!spaced) json += s + "\"language\"" + c + "3";
  return json + "}";
}

void BM_ScanRecognitionReply(benchmark::State& state) {
  const auto kind = static_cast<RecognitionKind>(state.range(0));
  const int lines = static_cast<int>(state.range(1));
  const Bytes frame = ReplyPrefix(kindInfo(kind).replyName) + replyJson(kind, lines) + "<||||>";
  size_t produced = 0;
  for (auto _ : state) {
    const RecognitionReply reply = scanRecognitionReply(kind, frame);
    const std::vector<Bytes> result = resultLines(reply);
    produced = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  if (produced != static_cast<size_t>(lines / 10)) state.SkipWithError("wrong number of result lines");
  state.counters["frame_bytes"] = static_cast<double>(frame.size());
  state.SetComplexityN(lines);
}
BENCHMARK(BM_ScanRecognitionReply)
    ->ArgsProduct({{0, 1, 2, 3}, {5000}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanRecognitionReply)
    ->Name("BM_ScanRecognitionReply_Growth")
    ->ArgsProduct({{3}, {1250, 2500, 5000, 10000, 20000, 40000}})
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace molan
