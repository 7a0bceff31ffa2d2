#pragma once
// How picture pixels map onto a page canvas, which shows its picture centred
// and, when it is larger than the canvas, scaled down by one factor.
#include <cstdint>

namespace molan {

struct CanvasFit {
  float scale = 1.0f;  // held in single precision: box edges depend on it
  int ox = 0, oy = 0;  // canvas pixels
  bool operator==(const CanvasFit&) const = default;
};

// From the canvas's current size and the picture's size (0 x 0 for a picture
// that could not be decoded).
CanvasFit computeCanvasFit(int canvasWidth, int canvasHeight, int pictureWidth, int pictureHeight);

struct CanvasBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const CanvasBox&) const = default;
};

// The box of a line given in picture pixels: each edge computed in double
// precision from the float scale and truncated toward zero. Values beyond the
// range of int (nonsense from the reply) are held at its limits.
CanvasBox mapBox(const CanvasFit& fit, int64_t top, int64_t left, int64_t width, int64_t height);

}  // namespace molan
