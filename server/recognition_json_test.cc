#include "server/recognition_json.h"

#include <gtest/gtest.h>

#include <set>

namespace molan::server {
namespace {

const OcrResult kTwoLines{{{"ab", 1, 2, 3, 4}, {"cd", 5, 6, 7, 8}}, {{0, 1}}};

TEST(RecognitionJson, ExactShapePerKind) {
  struct Case {
    RecognitionKind kind;
    std::string json;
  } cases[] = {
      {RecognitionKind::Standard,
       R"({"words_result":[{"words":"ab"},{"words":"cd"}],"log_id":7,"words_result_num":2,)"
       R"("paragraphs_result":[{"words_result_idx":[0,1]}],"language":-1,"paragraphs_result_num":1})"},
      {RecognitionKind::StandardWithPositions,
       R"({"words_result":[{"words":"ab","location":{"top":1,"left":2,"width":3,"height":4}},)"
       R"({"words":"cd","location":{"top":5,"left":6,"width":7,"height":8}}],"log_id":7,"words_result_num":2,)"
       R"("paragraphs_result":[{"words_result_idx":[0,1]}],"language":-1,"paragraphs_result_num":1})"},
      {RecognitionKind::Accurate,
       R"({"words_result": [{"words": "ab"}, {"words": "cd"}], "words_result_num": 2, "log_id": 7, )"
       R"("paragraphs_result": [{"words_result_idx": [0, 1]}]})"},
      {RecognitionKind::AccurateWithPositions,
       R"({"log_id": 7, "words_result_num": 2, "words_result": [{"location": {"top": 1, "left": 2, "width": 3, )"
       R"("height": 4}, "words": "ab"}, {"location": {"top": 5, "left": 6, "width": 7, "height": 8}, "words": "cd"}], )"
       R"("paragraphs_result": [{"words_result_idx": [0, 1]}]})"},
  };
  for (const auto& c : cases) EXPECT_EQ(recognitionJson(c.kind, kTwoLines, 7), c.json);
}

TEST(RecognitionJson, FrameEndsWithTheJsonAndTheSeparator) {
  const Bytes frame = recognitionReplyFrame(RecognitionKind::Accurate, kTwoLines, 7);
  EXPECT_EQ(frame.rfind("青柯<||||>墨澜<||||>通用文字识别_高精度返回<||||>{", 0), 0u);
  EXPECT_EQ(frame.substr(frame.size() - 8), "]}<||||>");
}

TEST(RecognitionJson, Escapes) {
  struct Case {
    std::string in;
    bool guard;
    std::string out;
  } cases[] = {
      {"a\"b\\c", false, "a\\\"b\\\\c"},
      {"tab\there\nnl\r\x01", false, "tab\\there\\nnl\\r\\u0001"},
      {"log_id og_id", true, "log\\u005fid og\\u005fid"},
      {"log_id", false, "log_id"},
      {"\xE4\xB8\xAD", true, "\xE4\xB8\xAD"},
      {"a\"}b}", false, "a\\\"\\u007db}"},
      {"x<||||>y<|", false, "x\\u003c||||>y<|"},
  };
  for (const auto& c : cases) EXPECT_EQ(jsonEscape(c.in, c.guard), c.out);
}

TEST(RecognitionJson, LogIdsAreUnique) {
  std::set<uint64_t> seen;
  for (int i = 0; i < 1000; ++i) seen.insert(nextLogId());
  EXPECT_EQ(seen.size(), 1000u);
}

}  // namespace
}  // namespace molan::server
