#include "link/fields.h"

#include <gtest/gtest.h>

namespace molan {
namespace {

TEST(TextBetween, MarkersAndMissingMarkers) {
  const Bytes reply = "青柯<||||>墨澜<||||>取推送版本号返回<||||>客户端最新版本：1.2<||||>是否强制更新：是<||||>";
  EXPECT_EQ(TextBetween(reply, "<||||>客户端最新版本：", "<||||>是否强制更新："), "1.2");
  EXPECT_EQ(TextBetween(reply, "<||||>是否强制更新：", "<||||>"), "是");
  EXPECT_EQ(TextBetween("青柯<||||>墨澜<||||>取推送版本号返回<||||>", "<||||>是否强制更新：", "<||||>"), "");
  // An end marker missing after the start gives empty text, not the rest.
  EXPECT_EQ(TextBetween("<||||>是否强制更新：是", "<||||>是否强制更新：", "<||||>"), "");
  EXPECT_EQ(TextBetween("ab", "a", "b"), "");
  // Text ends at its first zero byte.
  EXPECT_EQ(TextBetween(Bytes("[x\0]", 4), "[", "]"), "");
}

TEST(TextBetween, QuoteMarkStandsForADoubleQuote) {
  EXPECT_EQ(TextBetween(R"({"words":"ab"})", "#引号words#引号:#引号", "#引号}"), "ab");
}

TEST(TextBetween, StepsOverGbkCharacters) {
  // 0x81 0x7D is one GBK character whose second byte is "}".
  const Bytes text = Bytes("{") + "\x81\x7D" + "x}";
  EXPECT_EQ(TextBetween(text, "{", "}"), "\x81\x7Dx");
  // 0x81 0x5B: second byte "[", not a start marker.
  EXPECT_EQ(TextBetween(Bytes("\x81[a[b]"), "[", "]"), "b");
  EXPECT_EQ(gbkFind("\x81", "x"), BytesView::npos);  // lone lead byte at the end
}

TEST(BytesFunctions, PlainByteSearch) {
  const Bytes data = Bytes("文件名：a.exe<||||>\x00\x01<||||>tail", 25);
  EXPECT_EQ(BytesBetween(data, "文件名：", "<||||>"), "a.exe");
  EXPECT_EQ(BytesBetween(data, "nothing", "<||||>"), "");
  EXPECT_EQ(BytesBetween(data, "文件名：", "nothing"), "");
  EXPECT_EQ(BytesAfter("a|b|c", "|"), "b|c");
  EXPECT_EQ(BytesAfter("a|b|c", "|", true), "c");
  EXPECT_EQ(BytesAfter("a|", "|"), "");
  EXPECT_EQ(BytesAfter("abc", "|"), "");
}

TEST(ReadInt32At, PositionsAndShortInput) {
  EXPECT_EQ(ReadInt32At("\x34\x12"), 0x1234);
  EXPECT_EQ(ReadInt32At(""), 0);
  EXPECT_EQ(ReadInt32At(Bytes("\x00\x10\x00\x00", 4)), 4096);
  EXPECT_EQ(ReadInt32At("\xff\xff\xff\xff"), -1);
  EXPECT_EQ(ReadInt32At("abcde", 2), 0x65646362);
  EXPECT_EQ(ReadInt32At("ab", 0), 0);
  EXPECT_EQ(ReadInt32At("ab", 3), 0);
  EXPECT_EQ(ReadInt32At("ab", -5), 0);
}

TEST(SplitText, EmptyPieceRules) {
  using V = std::vector<Bytes>;
  EXPECT_EQ(splitText("a,,b", ","), (V{"a", "", "b"}));
  EXPECT_EQ(splitText("0,", ","), (V{"0"}));
  EXPECT_EQ(splitText("", ","), V{});
  EXPECT_EQ(splitText("abc", ","), (V{"abc"}));
  EXPECT_EQ(splitText(",a", ","), (V{"", "a"}));
  EXPECT_EQ(splitText("0, 1, 2", ", "), (V{"0", "1", "2"}));
  // A GBK character whose second byte is the separator is not split.
  EXPECT_EQ(splitText("\x81,a,b", ","), (V{"\x81,a", "b"}));
}

TEST(ParseLeadingInt, ReaderRules) {
  EXPECT_EQ(parseLeadingInt("  42abc"), 42);
  EXPECT_EQ(parseLeadingInt("-7"), -7);
  EXPECT_EQ(parseLeadingInt("+7"), 7);
  EXPECT_EQ(parseLeadingInt("x1"), 0);
  EXPECT_EQ(parseLeadingInt(""), 0);
  EXPECT_GT(parseLeadingInt("99999999999999999999999999"), 0);  // saturates, no overflow
}

}  // namespace
}  // namespace molan
