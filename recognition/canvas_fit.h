#pragma once
// Recognised lines' boxes on a page canvas. The canvas's own fit rule
// (shell/canvas_fit.h) says where the picture shows; the boxes use it.
#include <cstdint>

#include "shell/canvas_fit.h"

namespace molan {

struct CanvasBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const CanvasBox&) const = default;
};

// The box of a line given in picture pixels: each edge computed in double
// precision from the float scale and truncated toward zero. Values beyond the
// range of int (nonsense from the reply) are held at its limits.
CanvasBox mapBox(const CanvasFit& fit, int64_t top, int64_t left, int64_t width, int64_t height);

}  // namespace molan
