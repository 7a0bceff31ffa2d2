#include "recognition/canvas_fit.h"

#include <gtest/gtest.h>

#include <climits>

namespace molan {
namespace {

struct FitCase {
  const char* name;
  int cw, ch, pw, ph;
  float scale;
  int ox, oy;
};

TEST(ComputeCanvasFit, CentresAndScalesDownByOneFactor) {
  const FitCase cases[] = {
      {"smaller picture is centred", 440, 504, 220, 252, 1.0f, 110, 126},
      {"odd remainder is truncated", 440, 504, 221, 253, 1.0f, 109, 125},
      {"same size", 440, 504, 440, 504, 1.0f, 0, 0},
      {"width is the tighter side", 440, 504, 880, 504, 0.5f, 0, 126},
      {"equal ratios take the height branch", 440, 504, 880, 1008, 0.5f, 0, 0},
      {"height is the tighter side", 440, 504, 440, 1008, 0.5f, 110, 0},
      {"single-precision scale", 440, 504, 1000, 1000, 0.44f, 0, 32},
      {"undecodable picture reads as 0 x 0", 440, 504, 0, 0, 1.0f, 220, 252},
      {"a side of no pixels never limits", 440, 504, 880, 0, 0.5f, 0, 252},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(computeCanvasFit(c.cw, c.ch, c.pw, c.ph), (CanvasFit{c.scale, c.ox, c.oy}));
  }
}

TEST(ComputeCanvasFit, KeepsTheScaleInSinglePrecision) {
  const CanvasFit fit = computeCanvasFit(440, 504, 1000, 1000);
  EXPECT_LT(static_cast<double>(fit.scale), 0.44);  // 0.44f lies just below 0.44
}

struct BoxCase {
  const char* name;
  CanvasFit fit;
  int64_t top, left, width, height;
  CanvasBox box;
};

TEST(MapBox, TruncatesEachEdgeFromTheFloatScale) {
  const BoxCase cases[] = {
      {"centred picture", {1.0f, 110, 126}, 10, 20, 30, 40, {130, 136, 160, 176}},
      {"half scale", {0.5f, 0, 126}, 10, 20, 30, 40, {10, 131, 25, 151}},
      {"43, not 44, in single precision", computeCanvasFit(440, 504, 1000, 1000), 100, 100, 100, 100,
       {43, 75, 87, 119}},
      {"negative values truncate toward zero", {0.5f, 0, 0}, -3, -3, 1, 1, {-1, -1, -1, -1}},
      {"nonsense sizes stay in range", {1.0f, 0, 0}, 0, 0, INT64_MAX, -INT64_MAX, {0, 0, INT_MAX, INT_MIN}},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(mapBox(c.fit, c.top, c.left, c.width, c.height), c.box);
  }
}

}  // namespace
}  // namespace molan
