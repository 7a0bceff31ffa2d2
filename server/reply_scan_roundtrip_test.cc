// The strongest check of the JSON shapes: what the server writes for each
// kind, the client's own scanner reads back into exactly the engine's lines,
// boxes and paragraphs.
#include <gtest/gtest.h>

#include "recognition/recognition_kind.h"
#include "recognition/reply_scan.h"
#include "server/charset.h"
#include "server/ocr_engine.h"
#include "server/recognition_json.h"
#include "server/testing/pictures.h"
#include "server/testing/utf8.h"

namespace molan::server {
namespace {

using testing::utf8;

// What the scanner must give back for `result`: the JSON-escaped text in GBK.
void expectScannedBack(RecognitionKind kind, const OcrResult& result) {
  const auto& info = kRecognitionKinds[static_cast<size_t>(kind)];
  const Bytes frame = recognitionReplyFrame(kind, result, 1234567890123ull);
  const RecognitionReply reply = scanRecognitionReply(kind, frame);
  ASSERT_EQ(reply.status, ReplyStatus::Result) << info.word;
  ASSERT_EQ(reply.words.size(), result.lines.size()) << frame;
  for (size_t i = 0; i < result.lines.size(); ++i) {
    const OcrLine& line = result.lines[i];
    const auto gbk = utf8ToGbk(jsonEscape(line.text, info.style == ReplyStyle::Compact));
    ASSERT_TRUE(gbk);
    EXPECT_EQ(reply.words[i].text, *gbk) << frame;
    if (info.positions) {
      EXPECT_EQ(reply.words[i].top, line.top);
      EXPECT_EQ(reply.words[i].left, line.left);
      EXPECT_EQ(reply.words[i].width, line.width);
      EXPECT_EQ(reply.words[i].height, line.height);
    }
  }
  ASSERT_EQ(reply.paragraphs.size(), result.paragraphs.size()) << frame;
  for (size_t p = 0; p < result.paragraphs.size(); ++p) {
    std::vector<int64_t> indexes(result.paragraphs[p].begin(), result.paragraphs[p].end());
    EXPECT_EQ(reply.paragraphs[p].indexes, indexes) << frame;
  }
}

TEST(ReplyScanRoundTrip, TrickyTextsInEveryKind) {
  const OcrResult cases[] = {
      {},
      {{{utf8(u8"ab"), 1, 2, 3, 4}}, {{0}}},
      {{{utf8(u8"中文一行"), 10, 20, 300, 40}, {utf8(u8"second line"), 60, 20, 250, 38}, {utf8(u8"三"), 100, 5, 30, 30}},
       {{0, 1}, {2}}},
      // Quotes, backslashes, braces, markers and "og_id" inside recognised text.
      {{{utf8(u8"say \"hi\"}],\"l"), 0, 0, 1, 1},
        {utf8(u8"C:\\path\\"), 5, 6, 7, 8},
        {utf8(u8"log_id, paragraphs_result\": [ ], \"paragr"), 9, 10, 11, 12},
        {utf8(u8"}, {\"location\": {"), 13, 14, 15, 16},
        {utf8(u8"尾字節}"), 17, 18, 19, 20},
        {utf8(u8"a\"}b \"} ]}<||||>x"), 21, 22, 23, 24}},
       {{0, 1, 2}, {3, 4, 5}}},
  };
  for (const auto& kind : kRecognitionKinds) {
    for (const auto& result : cases) expectScannedBack(kind.kind, result);
  }
}

TEST(ReplyScanRoundTrip, EngineOutputOnARenderedPicture) {
  const Bytes picture = testing::renderPicture(
      800, 260, 26,
      {{utf8(u8"墨澜文字识别"), 30, 60}, {utf8(u8"Reference server 2024"), 30, 130}, {utf8(u8"最后一行"), 30, 220}});
  ASSERT_FALSE(picture.empty());
  OcrEngine engine;
  std::string error;
  ASSERT_TRUE(engine.init("", "chi_sim+eng", &error)) << error;
  for (const auto& kind : kRecognitionKinds) {
    const OcrMode mode = kind.style == ReplyStyle::Spaced ? OcrMode::kAccurate : OcrMode::kStandard;
    const auto result = engine.recognize(picture, mode, 40000000, nullptr);
    ASSERT_TRUE(result);
    ASSERT_GE(result->lines.size(), 2u);
    expectScannedBack(kind.kind, *result);
  }
}

}  // namespace
}  // namespace molan::server
