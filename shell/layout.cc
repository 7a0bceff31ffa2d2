#include "shell/layout.h"

namespace molan::shell {
namespace {

// Truncation toward zero of a value computed in floating point.
int whole(double value) { return static_cast<int>(value); }

}  // namespace

LayoutResult layoutMainWindow(const LayoutInput& in) {
  LayoutResult r{};
  r.windowWidth = in.windowWidth < kMinWindowWidth ? kMinWindowWidth : in.windowWidth;
  r.windowHeight = in.windowHeight < kMinWindowHeight ? kMinWindowHeight : in.windowHeight;
  const double w = r.windowWidth;
  const double h = r.windowHeight;

  r.titleBarWidth = whole(w);
  r.menuLeft = whole(w - 168);
  r.messageLeft = whole(w - 176 - in.messageWidth);
  r.shareLeft = whole(w - 176 - in.messageWidth - 8 - in.shareWidth);
  r.loginLeft = whole(w - 176 - in.messageWidth - 8 - in.loginWidth - 8 - in.shareWidth);
  r.registerLeft = whole(w - 176 - in.messageWidth - 64 - in.registerWidth);
  r.accountLeft = whole(static_cast<double>(r.menuLeft) - 8 - in.messageWidth - 8 - in.shareWidth - 8 - in.accountWidth);
  r.minimizeLeft = r.titleBarWidth - 120;
  r.maximizeLeft = r.titleBarWidth - 80;
  r.closeLeft = r.titleBarWidth - 40;

  r.mainTabWidth = whole(w);
  r.mainTabHeight = whole(h - in.titleBarHeight);
  r.functionListHeight = r.mainTabHeight;
  r.functionTabWidth = r.mainTabWidth - in.functionListWidth;
  r.functionTabHeight = r.mainTabHeight;
  r.variantTabWidth = r.functionTabWidth;
  r.variantTabHeight = r.functionTabHeight;

  r.canvasWidth = whole((static_cast<double>(r.variantTabWidth) - 112) / 2);
  r.resultWidth = r.canvasWidth;
  r.columnLeft = in.canvasLeft + r.canvasWidth + 16;
  r.resultLeft = r.columnLeft + 80;
  r.resultLabelLeft = r.resultLeft;
  r.canvasHeight = r.variantTabHeight - in.canvasTop - 8;
  r.resultHeight = r.canvasHeight;
  r.columnTop = whole(in.canvasTop + (static_cast<double>(r.canvasHeight) - in.buttonColumnHeight) / 2);
  return r;
}

}  // namespace molan::shell
