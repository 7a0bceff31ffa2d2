#include "shell/shadow_geometry.h"

#include <gtest/gtest.h>

namespace molan::shell {
namespace {

TEST(ShadowGeometry, PlacementSurroundsTheWindow) {
  const ShadowPlacement p = shadowPlacement(100, 100, 400, 298, 4);
  EXPECT_EQ(p.x, 96);
  EXPECT_EQ(p.y, 96);
  EXPECT_EQ(p.width, 408);
  EXPECT_EQ(p.height, 306);
}

TEST(ShadowGeometry, AlphaStepsAndRingOpacities) {
  struct Case {
    int size;
    int step;
    std::vector<int> alphas;
  };
  const Case cases[] = {
      {3, 33, {33, 66, 99}},
      {4, 25, {25, 50, 75, 100}},
      {8, 12, {12, 24, 36, 48, 60, 72, 84, 96}},
      {9, 16, {16, 32, 48, 64, 80, 96, 112, 128, 144}},
      {10, 15, {15, 30, 45, 60, 75, 90, 105, 120, 135, 150}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shadowAlphaStep(c.size), c.step) << c.size;
    const auto rings = shadowRings(408, 306, c.size);
    ASSERT_EQ(rings.size(), c.alphas.size()) << c.size;
    for (size_t i = 0; i < rings.size(); ++i) EXPECT_EQ(rings[i].alpha, c.alphas[i]) << c.size << " ring " << i;
  }
  EXPECT_EQ(shadowAlphaStep(0), 0);
  EXPECT_TRUE(shadowRings(408, 306, 0).empty());
}

TEST(ShadowGeometry, RingsStepInwardOnePixelEach) {
  const auto rings = shadowRings(408, 306, 4);
  ASSERT_EQ(rings.size(), 4u);
  for (int i = 1; i <= 4; ++i) {
    const ShadowRing& r = rings[static_cast<size_t>(i - 1)];
    EXPECT_EQ(r.x, i - 1);
    EXPECT_EQ(r.y, i - 1);
    EXPECT_EQ(r.width, 408 - 2 * i + 1);
    EXPECT_EQ(r.height, 306 - 2 * i + 1);
  }
  // The innermost ring's right edge is the first column of the inner rectangle's right side.
  EXPECT_EQ(rings[3].x + rings[3].width, 404);
  EXPECT_EQ(rings[3].y + rings[3].height, 302);
}

TEST(ShadowGeometry, ArgbFromColorReference) {
  EXPECT_EQ(shadowArgb(0x00C0C0C0u, 25), 0x19C0C0C0u);
  EXPECT_EQ(shadowArgb(0x00FCE6B1u, 100), 0x64B1E6FCu);  // RGB(177, 230, 252)
  EXPECT_EQ(shadowArgb(0x00030201u, 255), 0xFF010203u);
}

TEST(ShadowGeometry, RoundedRectangleArcs) {
  const auto arcs = roundedRectArcs(0, 0, 408, 306, 4);
  ASSERT_EQ(arcs.size(), 4u);
  const Arc expected[] = {{0, 0, 8, 180, 90}, {400, 0, 8, 270, 90}, {400, 298, 8, 0, 90}, {0, 298, 8, 90, 90}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(arcs[i].x, expected[i].x) << i;
    EXPECT_EQ(arcs[i].y, expected[i].y) << i;
    EXPECT_EQ(arcs[i].diameter, expected[i].diameter) << i;
    EXPECT_EQ(arcs[i].startAngle, expected[i].startAngle) << i;
    EXPECT_EQ(arcs[i].sweep, 90) << i;
  }
}

TEST(ShadowGeometry, RoundedRectangleRadiusLimits) {
  EXPECT_TRUE(roundedRectArcs(0, 0, 10, 10, 0).empty());
  EXPECT_TRUE(roundedRectArcs(0, 0, 10, 10, -3).empty());
  EXPECT_EQ(roundedRectArcs(0, 0, 500, 500, 250)[0].diameter, 200);
  const auto offset = roundedRectArcs(3, 5, 100, 50, 1);
  EXPECT_EQ(offset[2].x, 3 + 100 - 2);
  EXPECT_EQ(offset[2].y, 5 + 50 - 2);
}

}  // namespace
}  // namespace molan::shell
