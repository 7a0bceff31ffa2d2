#include "netlib/pack_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace molan {
namespace {

Bytes header(uint32_t word) {
  Bytes h(4, '\0');
  for (int i = 0; i < 4; ++i) h[i] = static_cast<char>((word >> (8 * i)) & 0xFF);
  return h;
}

std::vector<Bytes> drain(PackDecoder& decoder) {
  std::vector<Bytes> bodies;
  while (auto body = decoder.next()) bodies.push_back(std::move(*body));
  return bodies;
}

TEST(PackCodec, EncodesLittleEndianLengthWithFlagZero) {
  EXPECT_EQ(encodePack("abc"), header(3) + "abc");
  EXPECT_EQ(encodePackHeader(0x123456), Bytes("\x56\x34\x12\x00", 4));
  EXPECT_EQ(encodePackHeader(kPackLengthLimit), Bytes("\xFF\xFF\x3F\x00", 4));
  const Bytes withNul("a\0b", 3);
  EXPECT_EQ(encodePack(withNul), header(3) + withNul);
}

TEST(PackCodec, RefusesEmptyAndOversizedBodies) {
  EXPECT_EQ(encodePack(""), "");
  EXPECT_EQ(encodePackHeader(0), "");
  EXPECT_EQ(encodePackHeader(kPackLengthLimit + 1), "");
  const Bytes tooLong(kPackLengthLimit + 1, 'x');
  EXPECT_EQ(encodePack(tooLong), "");
}

TEST(PackDecoder, StreamSplitAtEveryByteBoundary) {
  const std::vector<Bytes> bodies = {"first", Bytes("\0\x01\x02", 3), "x", Bytes(300, 'z')};
  Bytes stream;
  for (const auto& b : bodies) stream += encodePack(b);
  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    for (size_t cut2 = cut; cut2 <= stream.size(); cut2 += 7) {
      PackDecoder decoder;
      EXPECT_TRUE(decoder.feed(BytesView(stream).substr(0, cut)));
      EXPECT_TRUE(decoder.feed(BytesView(stream).substr(cut, cut2 - cut)));
      EXPECT_TRUE(decoder.feed(BytesView(stream).substr(cut2)));
      EXPECT_FALSE(decoder.failed());
      ASSERT_EQ(drain(decoder), bodies) << "cuts at " << cut << " and " << cut2;
    }
  }
}

TEST(PackDecoder, OneByteAtATimeYieldsEachBodyWhenItsLastByteArrives) {
  const Bytes stream = encodePack("ab") + encodePack("cde");
  PackDecoder decoder;
  std::vector<size_t> completedAt;
  for (size_t i = 0; i < stream.size(); ++i) {
    ASSERT_TRUE(decoder.feed(BytesView(stream).substr(i, 1)));
    if (auto body = decoder.next()) completedAt.push_back(i);
  }
  EXPECT_EQ(completedAt, (std::vector<size_t>{5, 12}));
}

TEST(PackDecoder, ManyPacksInOneChunkComeOutInOrder) {
  Bytes stream;
  std::vector<Bytes> bodies;
  for (int i = 1; i <= 1000; ++i) {
    bodies.push_back(Bytes(static_cast<size_t>(i % 17 + 1), static_cast<char>('a' + i % 26)));
    stream += encodePack(bodies.back());
  }
  PackDecoder decoder;
  ASSERT_TRUE(decoder.feed(stream));
  EXPECT_EQ(drain(decoder), bodies);
  EXPECT_FALSE(decoder.next().has_value());
}

TEST(PackDecoder, LargestPackPassesWhole) {
  Bytes body(kPackLengthLimit, '\0');
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 31 % 251);
  const Bytes stream = encodePack(body);
  PackDecoder decoder(kPackLengthLimit);
  for (size_t at = 0; at < stream.size(); at += 65536) ASSERT_TRUE(decoder.feed(BytesView(stream).substr(at, 65536)));
  auto out = decoder.next();
  ASSERT_TRUE(out.has_value());
  EXPECT_TRUE(*out == body);
}

struct BadHeaderCase {
  const char* name;
  size_t maxPackSize;
  uint32_t word;
  PackError error;
};

TEST(PackDecoder, BadHeaderFailsForGoodAndKeepsEarlierBodies) {
  const BadHeaderCase cases[] = {
      {"zero length", 100, 0, PackError::kZeroLength},
      {"one above the configured maximum", 100, 101, PackError::kTooLong},
      {"full field above a smaller maximum", 1000, 0x3FFFFF, PackError::kTooLong},
      {"length 0x3FFFFF + 1 spills into the flag", kPackLengthLimit, 0x400000, PackError::kFlagSet},
      {"flag bits with a valid length", 100, (1u << 22) | 5, PackError::kFlagSet},
      {"top flag bit", 100, 0x80000001u, PackError::kFlagSet},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PackDecoder decoder(c.maxPackSize);
    const Bytes stream = encodePack("before") + header(c.word) + Bytes(8, 'x') + encodePack("after");
    EXPECT_FALSE(decoder.feed(stream));
    EXPECT_TRUE(decoder.failed());
    EXPECT_EQ(decoder.error(), c.error);
    EXPECT_FALSE(decoder.feed(encodePack("later")));
    EXPECT_EQ(drain(decoder), std::vector<Bytes>{"before"});
  }
}

TEST(PackDecoder, MaximumIsInclusiveAndClamped) {
  PackDecoder decoder(3);
  EXPECT_TRUE(decoder.feed(encodePack("abc")));
  EXPECT_EQ(decoder.next(), Bytes("abc"));
  EXPECT_EQ(PackDecoder(0).maxPackSize(), 1u);
  EXPECT_EQ(PackDecoder(0x7FFFFFFF).maxPackSize(), kPackLengthLimit);
}

TEST(PackDecoder, EmptyFeedAndPartialHeaderYieldNothing) {
  PackDecoder decoder;
  EXPECT_TRUE(decoder.feed(""));
  EXPECT_TRUE(decoder.feed(Bytes("\x05\x00", 2)));
  EXPECT_FALSE(decoder.next().has_value());
  EXPECT_FALSE(decoder.failed());
}

}  // namespace
}  // namespace molan
