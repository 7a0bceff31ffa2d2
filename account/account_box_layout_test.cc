#include "account/account_box_layout.h"

#include <gtest/gtest.h>

namespace molan {
namespace {

TEST(AccountBoxLayoutTest, SizesAndPlaceAtTheMinimumWindowSize) {
  struct Case {
    size_t bytes;
    int menuLeft;
    int label, width, left;
  };
  // Title bar at 1280 wide: 综合 at 1112, message and share buttons 16 wide,
  // account picture 24 wide. The box always ends 8 pixels before share (1064).
  const Case cases[] = {
      {8, 1112, 64, 128, 928},    // abc12345
      {16, 1112, 128, 192, 864},
      {12, 1112, 96, 160, 896},   // six Chinese characters
      {0, 1112, 0, 64, 992},
      {8, 1432, 64, 128, 1248},   // window 1600 wide
  };
  for (const Case& c : cases) {
    const AccountBoxLayout l = layoutAccountBox(c.bytes, 24, c.menuLeft, 16, 16);
    EXPECT_EQ(l.labelWidth, c.label) << c.bytes;
    EXPECT_EQ(l.boxWidth, c.width) << c.bytes;
    EXPECT_EQ(l.boxLeft, c.left) << c.bytes;
    EXPECT_EQ(l.boxLeft + l.boxWidth, c.menuLeft - 56) << c.bytes;
    EXPECT_EQ(l.boxTop, 28);
  }
}

}  // namespace
}  // namespace molan
