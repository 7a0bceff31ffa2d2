#include "shell/resize_bands.h"

namespace molan::shell {

int bandHitCode(int x, int y, int w, int h, unsigned served) {
  const bool left = (served & kBandLeft) && x <= 5;
  const bool right = !left && (served & kBandRight) && x > w - 6;
  const bool top = (served & kBandTop) && y <= 5;
  const bool bottom = !top && (served & kBandBottom) && y > h - 6;
  if (top) return left ? kHitTopLeft : right ? kHitTopRight : kHitTop;
  if (bottom) return left ? kHitBottomLeft : right ? kHitBottomRight : kHitBottom;
  if (left) return kHitLeft;
  if (right) return kHitRight;
  return kHitNowhere;
}

Pointer pointerFor(int hitCode) {
  switch (hitCode) {
    case kHitLeft:
    case kHitRight: return Pointer::SizeWestEast;
    case kHitTop:
    case kHitBottom: return Pointer::SizeNorthSouth;
    case kHitTopLeft:
    case kHitBottomRight: return Pointer::SizeNorthWestSouthEast;
    case kHitTopRight:
    case kHitBottomLeft: return Pointer::SizeNorthEastSouthWest;
    default: return Pointer::Arrow;
  }
}

}  // namespace molan::shell
