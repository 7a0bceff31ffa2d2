#include "recognition/utf8_text.h"

#include <gtest/gtest.h>

namespace molan {
namespace {

using namespace std::string_view_literals;

Bytes utf8(std::u8string_view s) { return Bytes(reinterpret_cast<const char*>(s.data()), s.size()); }

TEST(DecodeUtf8Text, ConvertsToGbkAndReplacesWhatItCannotHold) {
  const struct {
    const char* name;
    Bytes input;
    Bytes expected;
  } cases[] = {
      {"empty", "", ""},
      {"ASCII", "abc {}[]", "abc {}[]"},
      {"Chinese", utf8(u8"墨澜识别"), "墨澜识别"},
      {"full-width punctuation", utf8(u8"：，。"), "：，。"},
      {"second bytes } and [", utf8(u8"皚癧"), "\xB0\x7D\xB0\x5B"},
      {"not in GBK", utf8(u8"a\u0E01b"), "a?b"},
      {"stray continuation byte", "a\x80" "b", "a?b"},
      {"invalid lead byte", "\xFF", "?"},
      {"truncated sequence at the end", "ab\xE5\xA2", "ab?"},
      {"truncated sequence before ASCII", "\xE5\xA2" "c", "?c"},
      {"overlong form", "\xC0\xAF", "??"},
      {"surrogate", "\xED\xA0\x80", "???"},
      {"zero byte kept", Bytes("a\0b"sv), Bytes("a\0b"sv)},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeUtf8Text(c.input), c.expected) << c.name;
}

}  // namespace
}  // namespace molan
