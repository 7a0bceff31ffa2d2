#include <gtest/gtest.h>

#include <cstring>

#include "shell/ico_file.h"
#include "shell/product_mark.h"

namespace molan::shell {
namespace {

std::uint32_t at(const std::vector<std::uint32_t>& p, int size, int x, int y) {
  return p[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)];
}

TEST(ProductMark, RoundedBlueSquareWithWhiteMarks) {
  for (const int size : {16, 32, 48, 256}) {
    const auto p = renderProductMark(size);
    ASSERT_EQ(p.size(), static_cast<size_t>(size * size));
    EXPECT_EQ(at(p, size, 0, 0) >> 24, 0u) << size << ": the rounded corner is transparent";
    const std::uint32_t edge = at(p, size, size / 2, 1);
    EXPECT_EQ(edge >> 24, 255u) << size;
    EXPECT_GT(edge & 0xFF, (edge >> 16) & 0xFF) << size << ": blue dominates";
    // The top-left corner mark of the scan frame is white.
    const int mark = static_cast<int>(0.2 * size + 0.5);
    EXPECT_EQ(at(p, size, mark, mark) & 0xFFFFFF, 0xFFFFFFu) << size;
    for (const std::uint32_t px : p) {
      const std::uint32_t a = px >> 24;
      EXPECT_LE((px >> 16) & 0xFF, a);  // premultiplied: no channel above alpha
      EXPECT_LE(px & 0xFF, a);
    }
  }
}

TEST(IcoFile, DirectoryAndImages) {
  const std::vector<IconImage> images = {{16, renderProductMark(16)}, {256, renderProductMark(256)}};
  const std::string ico = encodeIcoFile(images);
  auto u16 = [&](size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(ico[at]) | static_cast<unsigned char>(ico[at + 1]) << 8); };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  EXPECT_EQ(u16(0), 0u);
  EXPECT_EQ(u16(2), 1u);
  EXPECT_EQ(u16(4), 2u);
  EXPECT_EQ(static_cast<unsigned char>(ico[6]), 16);
  EXPECT_EQ(static_cast<unsigned char>(ico[22]), 0);  // 256 is written as 0
  const unsigned size16 = 40 + 16 * 16 * 4 + 4 * 16;
  EXPECT_EQ(u32(6 + 8), size16);
  EXPECT_EQ(u32(6 + 12), 6u + 32u);
  EXPECT_EQ(u32(22 + 12), 6u + 32u + size16);
  EXPECT_EQ(ico.size(), 6u + 32u + size16 + 40 + 256 * 256 * 4 + 32 * 256);
  EXPECT_EQ(u32(38 + 8), 32u);   // doubled height of the 16 image
  // The first colour row stored is the bottom row of the picture, straight alpha.
  EXPECT_EQ(u32(38 + 40) >> 24, renderProductMark(16)[15 * 16] >> 24);
}

}  // namespace
}  // namespace molan::shell
