#include "recognition/reply_scan.h"

#include <gtest/gtest.h>

#include "link/frame.h"

namespace molan {

void PrintTo(const WordEntry& w, std::ostream* os) {
  *os << "{" << w.text << ", " << w.top << ", " << w.left << ", " << w.width << ", " << w.height << "}";
}

namespace {

using namespace std::string_view_literals;

// JSON is written as UTF-8 (u8 literals), as the service sends it; narrow
// literals in this file are GBK.
Bytes utf8(std::u8string_view s) { return Bytes(reinterpret_cast<const char*>(s.data()), s.size()); }

Bytes resultFrame(RecognitionKind kind, std::u8string_view json) {
  return ReplyPrefix(kindInfo(kind).replyName) + utf8(json) + "<||||>";
}

Bytes statusFrame(RecognitionKind kind, BytesView status) {
  return ReplyPrefix(kindInfo(kind).replyName) + Bytes(status) + "<||||>";
}

Bytes joinedLines(const RecognitionReply& reply) {
  Bytes all;
  for (const Bytes& line : resultLines(reply)) all += line;
  return all;
}

constexpr RecognitionKind kAllKinds[] = {RecognitionKind::Standard, RecognitionKind::StandardWithPositions,
                                         RecognitionKind::Accurate, RecognitionKind::AccurateWithPositions};

TEST(ScanRecognitionReply, RecognisesTheStatusesOfEveryKind) {
  for (RecognitionKind kind : kAllKinds) {
    SCOPED_TRACE(kindInfo(kind).command);
    const RecognitionReply busy = scanRecognitionReply(kind, statusFrame(kind, "服务器网络繁忙"));
    EXPECT_EQ(busy.status, ReplyStatus::Busy);
    EXPECT_EQ(busy.message, "服务器网络繁忙，请稍后重试");

    const RecognitionReply low = scanRecognitionReply(kind, statusFrame(kind, "余额不足"));
    EXPECT_EQ(low.status, ReplyStatus::BalanceTooLow);
    EXPECT_EQ(low.message, balanceTooLowMessage(kind));

    const RecognitionReply fault = scanRecognitionReply(kind, statusFrame(kind, "服务器异常：识别引擎未就绪"));
    EXPECT_EQ(fault.status, ReplyStatus::ServerException);
    EXPECT_EQ(fault.message, "服务器异常：识别引擎未就绪");
  }
}

TEST(ScanRecognitionReply, StatusNeedsItsSeparatorExceptForServerException) {
  const auto kind = RecognitionKind::Standard;
  const Bytes prefix = ReplyPrefix(kindInfo(kind).replyName);
  EXPECT_EQ(scanRecognitionReply(kind, prefix + "服务器网络繁忙中<||||>").status, ReplyStatus::Result);
  EXPECT_EQ(scanRecognitionReply(kind, prefix + "余额不足够<||||>").status, ReplyStatus::Result);
  // A server-exception field without its separator is still shown whole.
  const RecognitionReply open = scanRecognitionReply(kind, prefix + "服务器异常，稍后再试");
  EXPECT_EQ(open.status, ReplyStatus::ServerException);
  EXPECT_EQ(open.message, "服务器异常，稍后再试");
  // Another kind's status is not this kind's.
  EXPECT_EQ(scanRecognitionReply(RecognitionKind::Accurate, statusFrame(kind, "服务器网络繁忙")).status,
            ReplyStatus::Result);
}

TEST(BalanceTooLowMessage, NamesTheCostOfTheKind) {
  const std::pair<RecognitionKind, BytesView> cases[] = {
      {RecognitionKind::Standard, "2"}, {RecognitionKind::StandardWithPositions, "4"},
      {RecognitionKind::Accurate, "6"}, {RecognitionKind::AccurateWithPositions, "8"}};
  for (const auto& [kind, cost] : cases) {
    EXPECT_EQ(balanceTooLowMessage(kind), "个人或公共每日免费识别次数已达上限，本次识别需要扣除" + Bytes(cost) +
                                              "眼泪，当前余额不足，无法完成本次识别。");
  }
}

struct ResultCase {
  const char* name;
  RecognitionKind kind;
  std::u8string_view json;
  std::vector<WordEntry> words;
  Bytes lines;
};

const ResultCase kResultCases[] = {
    {"compact, one paragraph of two lines", RecognitionKind::Standard,
     u8R"({"words_result":[{"words":"ab"},{"words":"cd"}],"log_id":1234,"words_result_num":2,)"
     u8R"("paragraphs_result":[{"words_result_idx":[0,1]}],"language":3})",
     {{"ab"}, {"cd"}}, "       abcd\r\n"},
    {"spaced, a member between the arrays, paragraphs in reverse order", RecognitionKind::Accurate,
     u8R"({"words_result": [{"words": "ab"}, {"words": "cd"}], "words_result_num": 2, )"
     u8R"("paragraphs_result": [{"words_result_idx": [1]}, {"words_result_idx": [0]}]})",
     {{"ab"}, {"cd"}}, "       cd\r\n       ab\r\n"},
    {"compact with positions", RecognitionKind::StandardWithPositions,
     u8R"({"words_result":[{"words":"ab","location":{"top":10,"left":20,"width":30,"height":40}},)"
     u8R"({"words":"cd","location":{"top":-5,"left":7,"width":x,"height":9}}],"log_id":5,)"
     u8R"("paragraphs_result":[{"words_result_idx":[1,0]}],"language":3})",
     {{"ab", 10, 20, 30, 40}, {"cd", -5, 7, 0, 9}}, "       cdab\r\n"},
    {"spaced with positions", RecognitionKind::AccurateWithPositions,
     u8R"({"words_result": [{"location": {"top": 10, "left": 20, "width": 30, "height": 40}, "words": "ab"}, )"
     u8R"({"location": {"top": 1, "left": 2, "width": 3, "height": 4}, "words": "cd"}], )"
     u8R"("paragraphs_result": [{"words_result_idx": [0]}, {"words_result_idx": [1, 0]}]})",
     {{"ab", 10, 20, 30, 40}, {"cd", 1, 2, 3, 4}}, "       ab\r\n       cdab\r\n"},
    {"Chinese words are converted to GBK", RecognitionKind::Standard,
     u8R"({"words_result":[{"words":"墨澜"},{"words":"识别"}],"log_id":1,)"
     u8R"("paragraphs_result":[{"words_result_idx":[0]},{"words_result_idx":[1]}],"language":3})",
     {{"墨澜"}, {"识别"}}, "       墨澜\r\n       识别\r\n"},
    {"JSON escapes are kept", RecognitionKind::Accurate,
     u8R"({"words_result": [{"words": "say \"hi\"\n"}], "paragraphs_result": [{"words_result_idx": [0]}]})",
     {{R"(say \"hi\"\n)"}}, R"(       say \"hi\"\n)" "\r\n"},
    {"an index that names no line is skipped", RecognitionKind::Standard,
     u8R"({"words_result":[{"words":"ab"},{"words":"cd"}],"log_id":1,)"
     u8R"("paragraphs_result":[{"words_result_idx":[2,-1,1,99999999999]}],"language":3})",
     {{"ab"}, {"cd"}}, "       cd\r\n"},
    {"no words section: lines without text", RecognitionKind::Standard,
     u8R"({"error_code":17,"paragraphs_result":[{"words_result_idx":[0]}],"language":3})",
     {}, "       \r\n"},
    {"no paragraph section: no line", RecognitionKind::Standard,
     u8R"({"words_result":[{"words":"ab"}],"log_id":1})", {{"ab"}}, ""},
    {"spaced: the words section ends at the paragraphs, so neither is found", RecognitionKind::Accurate,
     u8R"({"words_result": [{"words": "ab"}], "log_id": 1})", {}, ""},
    {"the service's error JSON", RecognitionKind::StandardWithPositions,
     u8R"({"error_code":216201,"error_msg":"image format error"})", {}, ""},
    {"empty pieces before separators count", RecognitionKind::Standard,
     u8R"({"words_result":[{"words":""},{"words":"b"}],"log_id":1,)"
     u8R"("paragraphs_result":[{"words_result_idx":[0,1]},{"words_result_idx":[]}],"language":3})",
     {{""}, {"b"}}, "       b\r\n       \r\n"},
};

TEST(ScanRecognitionReply, CutsWordsAndParagraphsWithTheKindsMarkers) {
  for (const ResultCase& c : kResultCases) {
    SCOPED_TRACE(c.name);
    const RecognitionReply reply = scanRecognitionReply(c.kind, resultFrame(c.kind, c.json));
    EXPECT_EQ(reply.status, ReplyStatus::Result);
    EXPECT_TRUE(reply.message.empty());
    EXPECT_EQ(reply.words, c.words);
    EXPECT_EQ(joinedLines(reply), c.lines);
  }
}

TEST(ScanRecognitionReply, KeepsGbkCharactersWhoseSecondByteIsAMarkerByte) {
  // 皚 is B0 7D ("}" second), 癧 is B0 5B ("[" second) in GBK.
  const struct {
    RecognitionKind kind;
    std::u8string_view json;
  } cases[] = {
      {RecognitionKind::Standard,
       u8R"({"words_result":[{"words":"癧皚"},{"words":"皚"}],"log_id":1,"paragraphs_result":[{"x":[0,1]}],"language":3})"},
      {RecognitionKind::Accurate,
       u8R"({"words_result": [{"words": "癧皚"}, {"words": "皚"}], "paragraphs_result": [{"x": [0, 1]}]})"},
      {RecognitionKind::StandardWithPositions,
       u8R"({"words_result":[{"words":"癧皚","location":{"top":1,"left":2,"width":3,"height":4}},)"
       u8R"({"words":"皚","location":{"top":1,"left":2,"width":3,"height":4}}],"log_id":1,)"
       u8R"("paragraphs_result":[{"x":[0,1]}],"language":3})"},
      {RecognitionKind::AccurateWithPositions,
       u8R"({"words_result": [{"location": {"top": 1, "left": 2, "width": 3, "height": 4}, "words": "癧皚"}, )"
       u8R"({"location": {"top": 1, "left": 2, "width": 3, "height": 4}, "words": "皚"}], )"
       u8R"("paragraphs_result": [{"x": [0, 1]}]})"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(kindInfo(c.kind).command);
    const RecognitionReply reply = scanRecognitionReply(c.kind, resultFrame(c.kind, c.json));
    ASSERT_EQ(reply.words.size(), 2u);
    EXPECT_EQ(reply.words[0].text, "\xB0\x5B\xB0\x7D");
    EXPECT_EQ(reply.words[1].text, "\xB0\x7D");
    EXPECT_EQ(joinedLines(reply), "       \xB0\x5B\xB0\x7D\xB0\x7D\r\n");
  }
}

TEST(ScanRecognitionReply, StepsOverGbkCharactersInTheParagraphSection) {
  // The paragraph section is read as GBK text: a character whose second byte
  // is "[" or "}" neither opens an index list nor ends a paragraph.
  const Bytes json = Bytes(R"({"words_result":[{"words":"ab"},{"words":"cd"}],"log_id":1,"paragraphs_result":[{"n)") +
                     "\xB0\x5B" + R"(":[1]},{"n":")" + "\xB0\x7D" + R"(,{":[0]}],"language":3})";
  const Bytes frame = ReplyPrefix("通用文字识别_标准返回") + json + "<||||>";
  const RecognitionReply reply = scanRecognitionReply(RecognitionKind::Standard, frame);
  ASSERT_EQ(reply.paragraphs.size(), 2u);
  EXPECT_EQ(reply.paragraphs[0].indexes, std::vector<int64_t>{1});
  EXPECT_EQ(reply.paragraphs[1].indexes, std::vector<int64_t>{0});
  EXPECT_EQ(joinedLines(reply), "       cd\r\n       ab\r\n");
}

TEST(ScanRecognitionReply, ReplacesMalformedUtf8InsteadOfFailing) {
  const Bytes json = Bytes(R"({"words_result":[{"words":"a)") + "\xFF\xC3" + R"(b"}],"log_id":1,)" +
                     R"("paragraphs_result":[{"x":[0]}],"language":3})";
  const Bytes frame = ReplyPrefix("通用文字识别_标准返回") + json + "<||||>";
  const RecognitionReply reply = scanRecognitionReply(RecognitionKind::Standard, frame);
  ASSERT_EQ(reply.words.size(), 1u);
  EXPECT_EQ(reply.words[0].text, "a??b");
}

TEST(ResultLine, SkipsIndexesOutsideTheList) {
  const std::vector<WordEntry> words = {{"x"}, {"y"}};
  EXPECT_EQ(resultLine({{1, 0, 1}}, words), "       yxy\r\n");
  EXPECT_EQ(resultLine({{-1, 2, INT64_MAX, INT64_MIN}}, words), "       \r\n");
  EXPECT_EQ(resultLine({{0}}, {}), "       \r\n");
}

}  // namespace
}  // namespace molan
