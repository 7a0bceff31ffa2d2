#pragma once
// Where the title bar's account box goes after a login: the label is 8 pixels
// per byte of the account name, the box holds the picture, the label and 40
// pixels more, and it ends 8 pixels before the share button.
#include <cstddef>

namespace molan {

inline constexpr int kAccountBoxTop = 28;
inline constexpr int kAccountLabelPixelsPerByte = 8;

struct AccountBoxLayout {
  int labelWidth;  // 透明标签_账户
  int boxWidth;    // 外形框_账户
  int boxLeft;
  int boxTop;
};

// `menuButtonLeft` is the left of 图形按钮_综合; the widths are those of
// 图片框_账户, 图形按钮_消息 and 图形按钮_分享.
AccountBoxLayout layoutAccountBox(size_t accountBytes, int pictureWidth, int menuButtonLeft, int messageButtonWidth,
                                  int shareButtonWidth);

}  // namespace molan
