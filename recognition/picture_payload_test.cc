#include "recognition/picture_payload.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "recognition/base64_vectors.h"

namespace molan {
namespace {

using namespace std::string_view_literals;

TEST(EncodeBase64, GivesTheSharedVectors) {
  for (const auto& v : test::kBase64Vectors) {
    EXPECT_EQ(encodeBase64(v.input), v.base64) << "input of " << v.input.size() << " bytes";
  }
}

TEST(EncodeBase64, NeverBreaksLines) {
  const Bytes input(100, '\x5A');
  const Bytes out = encodeBase64(input);
  EXPECT_EQ(out.size(), 136u);
  EXPECT_EQ(out.find_first_of("\r\n"), Bytes::npos);
  EXPECT_EQ(out.find('\0'), Bytes::npos);
}

TEST(FormUrlEncode, CopiesEscapesOrTurnsBlanksIntoPlus) {
  struct Case {
    std::string_view input, expected;
  };
  const Case cases[] = {
      {"a b"sv, "a+b"},
      {"\x7E"sv, "%7e"},
      {"\xC4"sv, "%c4"},
      {"\xFB"sv, "%fb"},
      {"AZaz09-._"sv, "AZaz09-._"},
      {"+/="sv, "%2b%2f%3d"},
      {"<||||>"sv, "%3c%7c%7c%7c%7c%3e"},
      {"\x00\x0A"sv, "%00%0a"},
      {""sv, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(formUrlEncode(c.input), c.expected) << c.input;
}

TEST(FormUrlEncode, IsAtMostThreeTimesAsLong) {
  EXPECT_EQ(formUrlEncode(test::kAllBytes).size(), 256u * 3 - 2 * 66);  // 66 bytes copied or "+"
}

TEST(EncodePicturePayload, EncodesTheExamples) {
  EXPECT_EQ(encodePicturePayload("abc"), "YWJj");
  EXPECT_EQ(encodePicturePayload("\xFB\xFF"sv), "%2b%2f8%3d");
  EXPECT_EQ(encodePicturePayload("\x00"sv), "AA%3d%3d");
}

TEST(EncodePicturePayload, HasTheLengthOfBase64PlusTwoPerEscapeAndNoForbiddenCharacter) {
  for (const auto& v : test::kBase64Vectors) {
    const Bytes base64 = encodeBase64(v.input);
    const auto escaped = std::count_if(base64.begin(), base64.end(),
                                       [](char c) { return c == '+' || c == '/' || c == '='; });
    const Bytes payload = encodePicturePayload(v.input);
    EXPECT_EQ(payload.size(), (v.input.size() + 2) / 3 * 4 + 2 * static_cast<size_t>(escaped));
    EXPECT_EQ(payload.find_first_of(" <|\r\n"), Bytes::npos) << payload;
  }
}

}  // namespace
}  // namespace molan
