#include "recognition/canvas_fit.h"

namespace molan {

CanvasBox mapBox(const CanvasFit& fit, int64_t top, int64_t left, int64_t width, int64_t height) {
  const double s = fit.scale;
  const double l = static_cast<double>(left);
  const double t = static_cast<double>(top);
  CanvasBox box;
  box.left = truncatedToInt(l * s + fit.ox);
  box.top = truncatedToInt(t * s + fit.oy);
  box.right = truncatedToInt((l + static_cast<double>(width)) * s + fit.ox);
  box.bottom = truncatedToInt((t + static_cast<double>(height)) * s + fit.oy);
  return box;
}

}  // namespace molan
