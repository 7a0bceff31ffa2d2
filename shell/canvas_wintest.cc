#include "shell/canvas_win.h"

#include <gtest/gtest.h>

#include "app/theme_win.h"
#include "shell/wintest_support_win.h"

namespace molan::win {
namespace {

using shell::testing::printClient;
using shell::testing::rgbOf;

// A 24-bit BMP file image of one colour.
Bytes solidBmp(int w, int h, COLORREF color) {
  const int stride = (w * 3 + 3) & ~3;
  const int imageSize = stride * h;
  Bytes out(54 + static_cast<size_t>(imageSize), '\0');
  auto put = [&](size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  out[0] = 'B';
  out[1] = 'M';
  put(2, static_cast<std::uint32_t>(out.size()), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(w), 4);
  put(22, static_cast<std::uint32_t>(h), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, static_cast<std::uint32_t>(imageSize), 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t at = 54 + static_cast<size_t>(y * stride + x * 3);
      out[at] = static_cast<char>(GetBValue(color));
      out[at + 1] = static_cast<char>(GetGValue(color));
      out[at + 2] = static_cast<char>(GetRValue(color));
    }
  }
  return out;
}

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registerCanvasClass(GetModuleHandleW(nullptr)));
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 600, nullptr, nullptr, nullptr, nullptr);
    canvas_ = CreateWindowExW(0, kCanvasClass, L"", WS_CHILD | WS_VISIBLE, 8, 72, 440, 504, parent_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(canvas_, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }
  HWND parent_ = nullptr;
  HWND canvas_ = nullptr;
};

const std::uint32_t kWhite = rgbOf(theme::kWindowBack);

TEST_F(CanvasTest, KeepsTheBytesExactlyAndShowsSmallPicturesCentred) {
  EXPECT_TRUE(canvasPicture(canvas_).empty());
  const Bytes bmp = solidBmp(220, 252, RGB(255, 0, 0));
  canvasSetPicture(canvas_, bmp);
  EXPECT_EQ(canvasPicture(canvas_), bmp);
  const auto px = printClient(canvas_);
  ASSERT_EQ(px.width, 440);
  EXPECT_EQ(px.at(110, 126), 0xFF0000u);
  EXPECT_EQ(px.at(329, 377), 0xFF0000u);
  EXPECT_EQ(px.at(109, 200), kWhite);
  EXPECT_EQ(px.at(330, 200), kWhite);
  EXPECT_EQ(px.at(200, 125), kWhite);
  EXPECT_EQ(px.at(200, 378), kWhite);
}

TEST_F(CanvasTest, ScalesLargePicturesDownByOneFactor) {
  canvasSetPicture(canvas_, solidBmp(1000, 1000, RGB(0, 0, 255)));
  const auto px = printClient(canvas_);
  // 0.44 of 1000 is 439 (single-precision scale), placed 32 pixels down.
  EXPECT_EQ(px.at(5, 20), kWhite);
  EXPECT_EQ(px.at(5, 40), 0x0000FFu);
  EXPECT_EQ(px.at(435, 465), 0x0000FFu);
  EXPECT_EQ(px.at(200, 480), kWhite);
}

TEST_F(CanvasTest, UndecodableBytesAreKeptButShowNothing) {
  const Bytes junk("not a picture\0with a zero", 25);
  canvasSetPicture(canvas_, junk);
  EXPECT_EQ(canvasPicture(canvas_), junk);
  const auto px = printClient(canvas_);
  EXPECT_EQ(px.at(220, 252), kWhite);
  canvasSetPicture(canvas_, Bytes{});
  EXPECT_TRUE(canvasPicture(canvas_).empty());
}

TEST_F(CanvasTest, DrawingsPaintOverThePictureUntilCleared) {
  canvasSetPicture(canvas_, solidBmp(440, 504, RGB(255, 255, 0)));
  canvasDrawRect(canvas_, RECT{20, 30, 120, 130}, RGB(0, 136, 255), 2);
  canvasFillRect(canvas_, RECT{200, 200, 210, 210}, RGB(96, 96, 96));
  canvasDrawText(canvas_, 300, 300, L"墨澜 OCR", RGB(255, 0, 0), nullptr);
  auto px = printClient(canvas_);
  // A 2-pixel pen is centred on the edge: columns 19 and 20.
  EXPECT_EQ(px.at(19, 80), 0x0088FFu) << "left edge of the outline";
  EXPECT_EQ(px.at(20, 80), 0x0088FFu) << "two pixels wide";
  EXPECT_EQ(px.at(21, 80), 0xFFFF00u);
  EXPECT_EQ(px.at(18, 80), 0xFFFF00u);
  EXPECT_EQ(px.at(70, 80), 0xFFFF00u) << "outline only";
  EXPECT_EQ(px.at(205, 205), 0x606060u);
  int red = 0;
  for (int y = 300; y < 330; ++y) {
    for (int x = 300; x < 380; ++x) red += px.at(x, y) != 0xFFFF00u;
  }
  EXPECT_GT(red, 20) << "the text was drawn";
  canvasClearDrawings(canvas_);
  px = printClient(canvas_);
  EXPECT_EQ(px.at(19, 80), 0xFFFF00u);
  EXPECT_EQ(px.at(205, 205), 0xFFFF00u);
  EXPECT_EQ(canvasPicture(canvas_), solidBmp(440, 504, RGB(255, 255, 0)));
}

TEST_F(CanvasTest, CallsOnOtherWindowsAreIgnored) {
  canvasSetPicture(parent_, solidBmp(2, 2, RGB(0, 0, 0)));
  EXPECT_TRUE(canvasPicture(parent_).empty());
  canvasDrawRect(nullptr, RECT{0, 0, 1, 1}, 0, 1);
}

}  // namespace
}  // namespace molan::win
