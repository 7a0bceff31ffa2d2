#include "shell/resize_bands.h"

#include <gtest/gtest.h>

namespace molan::shell {
namespace {

struct BandCase {
  const char* what;
  int x, y, w, h;
  unsigned served;
  int code;
};

constexpr unsigned kTitleBar = kBandLeft | kBandRight | kBandTop;
constexpr unsigned kMainTab = kBandLeft | kBandRight | kBandBottom;
constexpr unsigned kFunctionList = kBandLeft | kBandBottom;
constexpr unsigned kInnerTab = kBandRight | kBandBottom;

const BandCase kCases[] = {
    {"title bar, 3 from left and top", 3, 3, 1280, 80, kTitleBar, kHitTopLeft},
    {"title bar, x 300 y 30 is no band (drag)", 300, 30, 1280, 80, kTitleBar, kHitNowhere},
    {"title bar, top edge", 600, 0, 1280, 80, kTitleBar, kHitTop},
    {"title bar, last top row", 600, 5, 1280, 80, kTitleBar, kHitTop},
    {"title bar, first row below the band", 600, 6, 1280, 80, kTitleBar, kHitNowhere},
    {"title bar, top right corner", 1276, 2, 1280, 80, kTitleBar, kHitTopRight},
    {"title bar, right band starts at w-5", 1275, 40, 1280, 80, kTitleBar, kHitRight},
    {"title bar, w-6 is outside", 1274, 40, 1280, 80, kTitleBar, kHitNowhere},
    {"title bar serves no bottom", 600, 78, 1280, 80, kTitleBar, kHitNowhere},
    {"title bar, left band x 5", 5, 40, 1280, 80, kTitleBar, kHitLeft},
    {"title bar, x 6 outside", 6, 40, 1280, 80, kTitleBar, kHitNowhere},
    {"function list, bottom 5 pixels", 100, 643, 192, 648, kFunctionList, kHitBottom},
    {"function list, last row", 100, 647, 192, 648, kFunctionList, kHitBottom},
    {"function list, row h-6 outside", 100, 642, 192, 648, kFunctionList, kHitNowhere},
    {"function list, bottom left", 3, 645, 192, 648, kFunctionList, kHitBottomLeft},
    {"function list serves no right", 190, 300, 192, 648, kFunctionList, kHitNowhere},
    {"function list, left", 0, 300, 192, 648, kFunctionList, kHitLeft},
    {"main tab, bottom right", 1279, 647, 1280, 648, kMainTab, kHitBottomRight},
    {"main tab serves no top", 600, 2, 1280, 648, kMainTab, kHitNowhere},
    {"main tab, bottom left", 2, 646, 1280, 648, kMainTab, kHitBottomLeft},
    {"inner tab, right", 1087, 300, 1088, 648, kInnerTab, kHitRight},
    {"inner tab serves no left", 0, 300, 1088, 648, kInnerTab, kHitNowhere},
    {"inner tab, bottom right", 1085, 645, 1088, 648, kInnerTab, kHitBottomRight},
    {"window, every corner: top left", 0, 0, 1280, 728, kAllBands, kHitTopLeft},
    {"window, bottom", 640, 727, 1280, 728, kAllBands, kHitBottom},
    {"window, inside", 640, 300, 1280, 728, kAllBands, kHitNowhere},
    {"nothing served", 0, 0, 1280, 728, 0, kHitNowhere},
};

TEST(BandHitCode, TableOfPoints) {
  for (const BandCase& c : kCases) {
    EXPECT_EQ(bandHitCode(c.x, c.y, c.w, c.h, c.served), c.code) << c.what;
  }
}

TEST(BandHitCode, CodesAreTheSystemValues) {
  EXPECT_EQ(kHitCaption, 2);
  EXPECT_EQ(kHitLeft, 10);
  EXPECT_EQ(kHitRight, 11);
  EXPECT_EQ(kHitTop, 12);
  EXPECT_EQ(kHitTopLeft, 13);
  EXPECT_EQ(kHitTopRight, 14);
  EXPECT_EQ(kHitBottom, 15);
  EXPECT_EQ(kHitBottomLeft, 16);
  EXPECT_EQ(kHitBottomRight, 17);
}

TEST(PointerFor, EachCodeHasItsArrow) {
  const std::pair<int, Pointer> cases[] = {
      {kHitLeft, Pointer::SizeWestEast},
      {kHitRight, Pointer::SizeWestEast},
      {kHitTop, Pointer::SizeNorthSouth},
      {kHitBottom, Pointer::SizeNorthSouth},
      {kHitTopLeft, Pointer::SizeNorthWestSouthEast},
      {kHitBottomRight, Pointer::SizeNorthWestSouthEast},
      {kHitTopRight, Pointer::SizeNorthEastSouthWest},
      {kHitBottomLeft, Pointer::SizeNorthEastSouthWest},
      {kHitNowhere, Pointer::Arrow},
      {kHitCaption, Pointer::Arrow},
  };
  for (const auto& [code, pointer] : cases) EXPECT_EQ(pointerFor(code), pointer) << code;
}

}  // namespace
}  // namespace molan::shell
