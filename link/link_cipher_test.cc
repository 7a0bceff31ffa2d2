#include "link/link_cipher.h"

#include <gtest/gtest.h>

#include "link/frame.h"

namespace molan {
namespace {

TEST(LinkCipher, RoundTripAndNoCarriedState) {
  const Bytes frame = buildFrame("取公告");
  const Bytes once = LinkCipher::apply(frame);
  EXPECT_EQ(once.size(), frame.size());
  EXPECT_NE(once, frame);
  EXPECT_EQ(LinkCipher::apply(once), frame);
  EXPECT_EQ(LinkCipher::apply(frame), once);  // a fresh state every call
  EXPECT_EQ(LinkCipher::apply(""), "");
}

TEST(LinkCipher, KnownKeyStream) {
  // The first key-stream bytes under the link key, from an independent RC4.
  const Bytes zeros(8, '\0');
  const Bytes stream = LinkCipher::apply(zeros);
  const unsigned char expected[] = {0x39, 0xf7, 0x85, 0x2c, 0x03, 0x68, 0x7e, 0x24};
  ASSERT_EQ(stream.size(), 8u);
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(static_cast<unsigned char>(stream[i]), expected[i]) << i;
}

TEST(HexList, DecodesWhatEncodeWrote) {
  EXPECT_EQ(decodeHexList(""), "");
  EXPECT_EQ(decodeHexList(encodeHexList("127.0.0.1")), "127.0.0.1");
  EXPECT_EQ(decodeHexList(encodeHexList("7365")), "7365");
  const Bytes stored = encodeHexList("ab");
  EXPECT_EQ(stored.size(), 6u);
  EXPECT_EQ(stored[2], ',');
  // The plain text ends at its first zero byte.
  EXPECT_EQ(decodeHexList(encodeHexList(Bytes("ab\0cd", 5))), "ab");
  // Garbage never crashes: odd digit counts and non-digits are tolerated.
  EXPECT_NO_THROW(decodeHexList("Z,1"));
}

}  // namespace
}  // namespace molan
