#pragma once
// Layout arithmetic of the main window: where every movable control goes for
// the window's current size. Pure function of the current sizes; values are
// whole pixels, each expression evaluated in floating point and truncated
// toward zero.

namespace molan::shell {

inline constexpr int kMinWindowWidth = 1280;
inline constexpr int kMinWindowHeight = 728;

// Current sizes the layout reads (the design values by default).
struct LayoutInput {
  int windowWidth = kMinWindowWidth;
  int windowHeight = kMinWindowHeight;
  int titleBarHeight = 80;
  int messageWidth = 16;        // 图形按钮_消息
  int shareWidth = 16;          // 图形按钮_分享
  int loginWidth = 56;          // 超级按钮_登录
  int registerWidth = 56;       // 超级按钮_注册
  int accountWidth = 184;       // 外形框_账户
  int functionListWidth = 192;  // 外形框_通用_功能列表
  int canvasLeft = 8;           // 画板_..._原图
  int canvasTop = 72;
  int buttonColumnHeight = 328;  // 外形框_..._按钮
};

struct LayoutResult {
  int windowWidth, windowHeight;  // after the minimum is enforced
  int titleBarWidth;
  int menuLeft, messageLeft, shareLeft, loginLeft, registerLeft, accountLeft;
  int minimizeLeft, maximizeLeft, closeLeft;
  int mainTabWidth, mainTabHeight;
  int functionListHeight;
  int functionTabWidth, functionTabHeight;
  int variantTabWidth, variantTabHeight;
  // The same for each of the four variant pages.
  int canvasWidth, canvasHeight;
  int resultWidth, resultHeight, resultLeft;
  int resultLabelLeft;
  int columnLeft, columnTop;
};

LayoutResult layoutMainWindow(const LayoutInput& in);

}  // namespace molan::shell
