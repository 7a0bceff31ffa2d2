#include "recognition/canvas_fit.h"

#include <cmath>
#include <limits>

namespace molan {
namespace {

// Truncation toward zero that never leaves the range of int (NaN reads as 0).
int truncated(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  if (v >= kMax) return std::numeric_limits<int>::max();
  if (v <= kMin) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// Canvas size over picture size; a picture side of no pixels never limits.
double ratio(int canvasSide, int pictureSide) {
  if (pictureSide <= 0) return std::numeric_limits<double>::infinity();
  return static_cast<double>(canvasSide) / pictureSide;
}

}  // namespace

CanvasFit computeCanvasFit(int cw, int ch, int pw, int ph) {
  CanvasFit fit;
  if (pw > cw || ph > ch) {
    const double rw = ratio(cw, pw);
    const double rh = ratio(ch, ph);
    if (rw - rh < -0.0000001) {
      fit.scale = static_cast<float>(rw);
      fit.ox = 0;
      fit.oy = truncated((ch - ph * static_cast<double>(fit.scale)) / 2);
    } else {
      fit.scale = static_cast<float>(rh);
      fit.ox = truncated((cw - pw * static_cast<double>(fit.scale)) / 2);
      fit.oy = 0;
    }
  } else {
    fit.scale = 1.0f;
    fit.ox = (cw - pw) / 2;
    fit.oy = (ch - ph) / 2;
  }
  return fit;
}

CanvasBox mapBox(const CanvasFit& fit, int64_t top, int64_t left, int64_t width, int64_t height) {
  const double s = fit.scale;
  const double l = static_cast<double>(left);
  const double t = static_cast<double>(top);
  CanvasBox box;
  box.left = truncated(l * s + fit.ox);
  box.top = truncated(t * s + fit.oy);
  box.right = truncated((l + static_cast<double>(width)) * s + fit.ox);
  box.bottom = truncated((t + static_cast<double>(height)) * s + fit.oy);
  return box;
}

}  // namespace molan
