#include "account/account_box_layout.h"

namespace molan {

AccountBoxLayout layoutAccountBox(size_t accountBytes, int pictureWidth, int menuButtonLeft, int messageButtonWidth,
                                  int shareButtonWidth) {
  AccountBoxLayout l{};
  l.labelWidth = kAccountLabelPixelsPerByte * static_cast<int>(accountBytes);
  l.boxWidth = pictureWidth + l.labelWidth + 40;
  l.boxLeft = menuButtonLeft - 8 - messageButtonWidth - 8 - shareButtonWidth - 8 - l.boxWidth;
  l.boxTop = kAccountBoxTop;
  return l;
}

}  // namespace molan
