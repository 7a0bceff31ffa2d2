#include "shell/layout.h"

#include <gtest/gtest.h>

namespace molan::shell {
namespace {

TEST(LayoutMainWindow, MinimumSizeGivesTheDesignFigures) {
  const LayoutResult r = layoutMainWindow(LayoutInput{});
  EXPECT_EQ(r.windowWidth, 1280);
  EXPECT_EQ(r.windowHeight, 728);
  EXPECT_EQ(r.titleBarWidth, 1280);
  EXPECT_EQ(r.menuLeft, 1112);
  EXPECT_EQ(r.messageLeft, 1088);
  EXPECT_EQ(r.shareLeft, 1064);
  EXPECT_EQ(r.loginLeft, 1000);
  EXPECT_EQ(r.registerLeft, 968);  // overlaps 登录 by 24 pixels, as designed
  EXPECT_EQ(r.accountLeft, 872);
  EXPECT_EQ(r.minimizeLeft, 1160);
  EXPECT_EQ(r.maximizeLeft, 1200);
  EXPECT_EQ(r.closeLeft, 1240);
  EXPECT_EQ(r.mainTabWidth, 1280);
  EXPECT_EQ(r.mainTabHeight, 648);
  EXPECT_EQ(r.functionListHeight, 648);
  EXPECT_EQ(r.functionTabWidth, 1088);
  EXPECT_EQ(r.functionTabHeight, 648);
  EXPECT_EQ(r.variantTabWidth, 1088);
  EXPECT_EQ(r.variantTabHeight, 648);
  EXPECT_EQ(r.canvasWidth, 488);
  EXPECT_EQ(r.canvasHeight, 568);
  EXPECT_EQ(r.columnLeft, 512);
  EXPECT_EQ(r.columnTop, 192);
  EXPECT_EQ(r.resultLeft, 592);
  EXPECT_EQ(r.resultLabelLeft, 592);
  EXPECT_EQ(r.resultWidth, 488);
  EXPECT_EQ(r.resultHeight, 568);
}

TEST(LayoutMainWindow, SmallerSizesSnapToTheMinimum) {
  LayoutInput in;
  in.windowWidth = 900;
  in.windowHeight = 500;
  const LayoutResult small = layoutMainWindow(in);
  const LayoutResult minimum = layoutMainWindow(LayoutInput{});
  EXPECT_EQ(small.windowWidth, 1280);
  EXPECT_EQ(small.windowHeight, 728);
  EXPECT_EQ(small.closeLeft, minimum.closeLeft);
  EXPECT_EQ(small.canvasWidth, minimum.canvasWidth);
  EXPECT_EQ(small.canvasHeight, minimum.canvasHeight);
}

TEST(LayoutMainWindow, Width1600MovesTheRightHandControlsBy320) {
  const LayoutResult minimum = layoutMainWindow(LayoutInput{});
  LayoutInput in;
  in.windowWidth = 1600;
  in.windowHeight = 1000;
  const LayoutResult r = layoutMainWindow(in);
  const int pairs[][2] = {{r.menuLeft, minimum.menuLeft},         {r.messageLeft, minimum.messageLeft},
                          {r.shareLeft, minimum.shareLeft},       {r.loginLeft, minimum.loginLeft},
                          {r.registerLeft, minimum.registerLeft}, {r.accountLeft, minimum.accountLeft},
                          {r.minimizeLeft, minimum.minimizeLeft}, {r.maximizeLeft, minimum.maximizeLeft},
                          {r.closeLeft, minimum.closeLeft}};
  for (const auto& p : pairs) EXPECT_EQ(p[0], p[1] + 320);
  EXPECT_EQ(r.variantTabWidth, 1408);
  EXPECT_EQ(r.canvasWidth, 648);
  EXPECT_EQ(r.resultWidth, 648);
  EXPECT_EQ(r.mainTabHeight, 920);
  EXPECT_EQ(r.canvasHeight, 1000 - 80 - 72 - 8);
  EXPECT_EQ(r.columnLeft, 8 + 648 + 16);
  EXPECT_EQ(r.resultLeft, 8 + 648 + 16 + 80);
  EXPECT_EQ(r.columnTop, 72 + (840 - 328) / 2);
}

TEST(LayoutMainWindow, OddAvailableWidthRoundsDown) {
  LayoutInput in;
  in.windowWidth = 1281;  // variant tab 1089 wide
  const LayoutResult r = layoutMainWindow(in);
  EXPECT_EQ(r.variantTabWidth, 1089);
  EXPECT_EQ(r.canvasWidth, 488);  // (1089 - 112) / 2 = 488.5
  EXPECT_EQ(r.columnLeft, 512);
}

TEST(LayoutMainWindow, OddCanvasHeightTruncatesTheColumnTop) {
  LayoutInput in;
  in.windowHeight = 729;  // canvas 569 high
  const LayoutResult r = layoutMainWindow(in);
  EXPECT_EQ(r.canvasHeight, 569);
  EXPECT_EQ(r.columnTop, 192);  // 72 + 241 / 2 = 192.5
}

}  // namespace
}  // namespace molan::shell
