// Replies cut short at every byte, and replies with bytes flipped, through
// every kind's scanner and the result-line builder: nothing reads outside its
// input (the native tests run under AddressSanitizer) and every result line
// keeps its form.
#include <gtest/gtest.h>

#include <random>

#include "recognition/reply_scan.h"

namespace molan {
namespace {

struct Sample {
  RecognitionKind kind;
  Bytes json;
};

// One reply of each kind, two lines and two paragraphs, in the kind's style.
std::vector<Sample> samples() {
  return {
      {RecognitionKind::Standard,
       R"({"words_result":[{"words":"ab"},{"words":"cd"}],"log_id":1,"paragraphs_result":[{"i":[0]},{"i":[1,0]}],"language":3})"},
      {RecognitionKind::StandardWithPositions,
       R"({"words_result":[{"words":"ab","location":{"top":1,"left":2,"width":3,"height":4}},)"
       R"({"words":"cd","location":{"top":5,"left":6,"width":7,"height":8}}],"log_id":1,)"
       R"("paragraphs_result":[{"i":[0,1]}],"language":3})"},
      {RecognitionKind::Accurate,
       R"({"log_id": 1, "words_result": [{"words": "ab"}, {"words": "cd"}], "paragraphs_result": [{"i": [1, 0]}]})"},
      {RecognitionKind::AccurateWithPositions,
       R"({"log_id": 1, "words_result": [{"location": {"top": 1, "left": 2, "width": 3, "height": 4}, "words": "ab"}, )"
       R"({"location": {"top": 5, "left": 6, "width": 7, "height": 8}, "words": "cd"}], )"
       R"("paragraphs_result": [{"i": [0, 1]}]})"},
  };
}

Bytes frameOf(RecognitionKind kind, const Bytes& json) {
  static const char* kNames[] = {"通用文字识别_标准返回", "通用文字识别_标准含位置返回", "通用文字识别_高精度返回",
                                 "通用文字识别_高精度含位置返回"};
  return Bytes("青柯<||||>墨澜<||||>") + kNames[static_cast<int>(kind)] + "<||||>" + json + "<||||>";
}

void expectWellFormed(const RecognitionReply& reply) {
  for (const Bytes& line : resultLines(reply)) {
    ASSERT_GE(line.size(), 9u);
    EXPECT_EQ(line.substr(0, 7), "       ");
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
  }
}

TEST(ReplyRobustness, TheSamplesScanAsExpected) {
  for (const Sample& s : samples()) {
    const RecognitionReply reply = scanRecognitionReply(s.kind, frameOf(s.kind, s.json));
    EXPECT_EQ(reply.status, ReplyStatus::Result);
    EXPECT_EQ(reply.words.size(), 2u) << static_cast<int>(s.kind);
    EXPECT_FALSE(resultLines(reply).empty());
  }
}

TEST(ReplyRobustness, EveryTruncationIsSafe) {
  for (const Sample& s : samples()) {
    const Bytes frame = frameOf(s.kind, s.json);
    for (size_t n = 0; n <= frame.size(); ++n) {
      const RecognitionReply reply = scanRecognitionReply(s.kind, BytesView(frame).substr(0, n));
      expectWellFormed(reply);
      EXPECT_LE(reply.words.size(), 2u);
    }
  }
}

TEST(ReplyRobustness, FlippedBytesAreSafe) {
  std::mt19937 random(20261211);
  for (const Sample& s : samples()) {
    const Bytes frame = frameOf(s.kind, s.json);
    for (int round = 0; round < 2000; ++round) {
      Bytes bad = frame;
      const int flips = 1 + static_cast<int>(random() % 4);
      for (int f = 0; f < flips; ++f) {
        // Marker characters, GBK lead bytes, digits, signs and zero bytes.
        static const char kBytes[] = {'"', '{', '}', '[', ']', ',', ':', ' ', '\x81', '\xfe', '9', '-', '\0'};
        bad[random() % bad.size()] = kBytes[random() % sizeof(kBytes)];
      }
      expectWellFormed(scanRecognitionReply(s.kind, bad));
    }
  }
}

}  // namespace
}  // namespace molan
