// The Win32 build's encoders: CryptoAPI base64 and the code-page UTF-8
// conversion, against the vectors the native encoders are tested with.
#include <gtest/gtest.h>

#include "recognition/base64_vectors.h"
#include "recognition/picture_payload.h"
#include "recognition/utf8_text.h"

namespace molan {
namespace {

using namespace std::string_view_literals;

TEST(EncodeBase64Win, GivesTheSharedVectors) {
  for (const auto& v : test::kBase64Vectors) {
    EXPECT_EQ(encodeBase64(v.input), v.base64) << "input of " << v.input.size() << " bytes";
  }
}

TEST(EncodeBase64Win, HasNoLineBreaksAndNoTrailingZero) {
  const Bytes out = encodeBase64(Bytes(3000, '\x7F'));
  EXPECT_EQ(out.size(), 4000u);
  EXPECT_EQ(out.find_first_of("\r\n"sv), Bytes::npos);
  EXPECT_EQ(out.find('\0'), Bytes::npos);
  EXPECT_EQ(encodePicturePayload("\xFB\xFF"sv), "%2b%2f8%3d");
}

TEST(DecodeUtf8TextWin, ConvertsToGbkAndReplacesWhatItCannotHold) {
  const auto u8 = [](std::u8string_view s) { return Bytes(reinterpret_cast<const char*>(s.data()), s.size()); };
  EXPECT_EQ(decodeUtf8Text(""), "");
  EXPECT_EQ(decodeUtf8Text(u8(u8"墨澜 ab{}")), "墨澜 ab{}");
  EXPECT_EQ(decodeUtf8Text(u8(u8"皚癧")), "\xB0\x7D\xB0\x5B");
  EXPECT_EQ(decodeUtf8Text(u8(u8"a\u0E01b")), "a?b");
  EXPECT_EQ(decodeUtf8Text("a\xFF" "b"), "a?b");
}

}  // namespace
}  // namespace molan
