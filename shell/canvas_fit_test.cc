#include "shell/canvas_fit.h"

#include <gtest/gtest.h>

namespace molan::shell {
namespace {

TEST(FitPicture, Cases) {
  struct Case {
    const char* what;
    int cw, ch, pw, ph;
    int x, y, w, h;
  };
  const Case cases[] = {
      {"small picture is centred, not enlarged", 440, 504, 220, 252, 110, 126, 220, 252},
      {"equal ratios take the height branch", 440, 504, 880, 1008, 0, 0, 440, 504},
      {"square picture, width is tighter", 440, 504, 1000, 1000, 0, 32, 439, 439},
      {"tall picture, height is tighter", 440, 504, 100, 1008, 195, 0, 50, 504},
      {"exact fit", 440, 504, 440, 504, 0, 0, 440, 504},
      {"odd margin truncates", 440, 504, 101, 11, 169, 246, 101, 11},
      {"undecodable picture shows nothing", 440, 504, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const PictureFit f = fitPicture(c.cw, c.ch, c.pw, c.ph);
    EXPECT_EQ(f.x, c.x) << c.what;
    EXPECT_EQ(f.y, c.y) << c.what;
    EXPECT_EQ(f.width, c.w) << c.what;
    EXPECT_EQ(f.height, c.h) << c.what;
  }
}

TEST(FitPicture, ScaleIsASingleFloat) {
  const PictureFit f = fitPicture(440, 504, 1000, 1000);
  EXPECT_EQ(f.scale, 0.44f);
  EXPECT_LT(static_cast<double>(f.scale), 0.44);
  EXPECT_EQ(fitPicture(440, 504, 220, 252).scale, 1.0f);
}

}  // namespace
}  // namespace molan::shell
