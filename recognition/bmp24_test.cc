#include "recognition/bmp24.h"

#include <gtest/gtest.h>

#include <memory>

namespace molan {
namespace {

// A bottom-up 24-bit picture whose pixel (x, y) (top-left origin) has blue x,
// green y and red 7.
Bytes gradient(int width, int height, bool topDown = false) {
  const size_t stride = bmp24Stride(width);
  Bytes rows(stride * static_cast<size_t>(height), '\0');
  for (int y = 0; y < height; ++y) {
    const int row = topDown ? y : height - 1 - y;
    for (int x = 0; x < width; ++x) {
      char* p = rows.data() + stride * static_cast<size_t>(row) + 3 * static_cast<size_t>(x);
      p[0] = static_cast<char>(x), p[1] = static_cast<char>(y), p[2] = 7;
    }
  }
  Bytes bmp = encodeBmp24(width, height, rows);
  if (topDown) {  // same file with a negative height
    const int32_t negative = -height;
    for (int k = 0; k < 4; ++k) bmp[22 + k] = static_cast<char>((static_cast<uint32_t>(negative) >> (8 * k)) & 0xFF);
  }
  return bmp;
}

int pixelBlue(const Bytes& bmp, int x, int y, int channel = 0) {
  Bmp24Info info;
  EXPECT_TRUE(readBmp24Info(bmp, info));
  const int row = info.topDown ? y : info.height - 1 - y;
  return static_cast<unsigned char>(bmp[info.pixelOffset + bmp24Stride(info.width) * row + 3 * x + channel]);
}

TEST(EncodeBmp24, WritesHeadersAndPaddedRows) {
  const Bytes bmp = gradient(3, 2);
  ASSERT_EQ(bmp.size(), 54u + 12u * 2);  // 3 pixels = 9 bytes, padded to 12
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  Bmp24Info info;
  ASSERT_TRUE(readBmp24Info(bmp, info));
  EXPECT_EQ(info.width, 3);
  EXPECT_EQ(info.height, 2);
  EXPECT_FALSE(info.topDown);
  EXPECT_EQ(info.pixelOffset, 54u);
  EXPECT_TRUE(encodeBmp24(0, 2, "").empty());
  EXPECT_TRUE(encodeBmp24(3, 2, Bytes(23, '\0')).empty());
}

TEST(ReadBmp24Info, RefusesOtherAndTruncatedFiles) {
  const Bytes good = gradient(4, 4);
  EXPECT_FALSE(readBmp24Info(good.substr(0, good.size() - 1), *std::make_unique<Bmp24Info>()));
  Bytes eightBit = good;
  eightBit[28] = 8;
  Bmp24Info info;
  EXPECT_FALSE(readBmp24Info(eightBit, info));
  EXPECT_FALSE(readBmp24Info("\x89PNG\r\n\x1a\n", info));
  EXPECT_FALSE(readBmp24Info("", info));
}

TEST(CropBmp24, CutsTheRegionFromEitherRowOrder) {
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
    const Bytes cut = cropBmp24(gradient(200, 120, topDown), 10, 10, 110, 60);
    Bmp24Info info;
    ASSERT_TRUE(readBmp24Info(cut, info));
    EXPECT_EQ(info.width, 100);
    EXPECT_EQ(info.height, 50);
    EXPECT_FALSE(info.topDown);
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 49}, {99, 49}, {37, 21}}) {
      EXPECT_EQ(pixelBlue(cut, x, y, 0), x + 10);
      EXPECT_EQ(pixelBlue(cut, x, y, 1), y + 10);
      EXPECT_EQ(pixelBlue(cut, x, y, 2), 7);
    }
  }
}

TEST(CropBmp24, ClipsToThePictureAndGivesNothingForAnEmptyRegion) {
  const Bytes screen = gradient(160, 100);
  const struct {
    int left, top, right, bottom;
    int width, height;  // 0 x 0: empty
  } cases[] = {
      {-20, -5, 30, 40, 30, 40},      // negative left and top count as 0
      {150, 90, 400, 300, 10, 10},    // cut at the picture's width and height
      {50, 50, 50, 80, 0, 0},         // no width
      {50, 50, 80, 50, 0, 0},         // no height
      {200, 10, 300, 20, 0, 0},       // wholly outside
      {0, 0, 160, 100, 160, 100},     // all of it
  };
  for (const auto& c : cases) {
    const Bytes cut = cropBmp24(screen, c.left, c.top, c.right, c.bottom);
    if (c.width == 0) {
      EXPECT_TRUE(cut.empty()) << c.left << "," << c.top;
      continue;
    }
    Bmp24Info info;
    ASSERT_TRUE(readBmp24Info(cut, info));
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    EXPECT_EQ(pixelBlue(cut, 0, 0), std::max(c.left, 0));
  }
  EXPECT_TRUE(cropBmp24("not a picture", 0, 0, 10, 10).empty());
}

}  // namespace
}  // namespace molan
