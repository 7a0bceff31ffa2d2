#include "shell/canvas_fit.h"

#include <cmath>
#include <limits>

namespace molan {
namespace {

// Canvas size over picture size; a picture side of no pixels never limits.
double ratio(int canvasSide, int pictureSide) {
  if (pictureSide <= 0) return std::numeric_limits<double>::infinity();
  return static_cast<double>(canvasSide) / pictureSide;
}

}  // namespace

int truncatedToInt(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  if (v >= kMax) return std::numeric_limits<int>::max();
  if (v <= kMin) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

CanvasFit computeCanvasFit(int cw, int ch, int pw, int ph) {
  CanvasFit fit;
  if (pw <= cw && ph <= ch) {
    fit.ox = (cw - pw) / 2;
    fit.oy = (ch - ph) / 2;
    return fit;
  }
  const double rw = ratio(cw, pw);
  const double rh = ratio(ch, ph);
  if (rw - rh < -0.0000001) {  // the width is the tighter side
    fit.scale = static_cast<float>(rw);
    fit.oy = truncatedToInt((ch - ph * static_cast<double>(fit.scale)) / 2);
  } else {
    fit.scale = static_cast<float>(rh);
    fit.ox = truncatedToInt((cw - pw * static_cast<double>(fit.scale)) / 2);
  }
  return fit;
}

}  // namespace molan

namespace molan::shell {

PictureFit fitPicture(int cw, int ch, int pw, int ph) {
  if (pw <= 0 || ph <= 0) return {1.0f, 0, 0, 0, 0};
  const CanvasFit fit = computeCanvasFit(cw, ch, pw, ph);
  const double s = fit.scale;
  return {fit.scale, fit.ox, fit.oy, truncatedToInt(pw * s), truncatedToInt(ph * s)};
}

}  // namespace molan::shell
