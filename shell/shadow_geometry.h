#pragma once
// Geometry of the drop shadow: where the shadow window sits around the
// decorated window, the rings it paints and their opacity, and the outline of
// a rounded rectangle as four quarter arcs.
#include <cstdint>
#include <vector>

namespace molan::shell {

struct ShadowPlacement {
  int x, y, width, height;
};
// A window at (x, y), w × h, with shadow size s.
ShadowPlacement shadowPlacement(int x, int y, int w, int h, int s);

// Opacity step between rings: 100 ÷ s up to s = 8, 150 ÷ s from 9 on (s > 0).
int shadowAlphaStep(int s);

struct ShadowRing {
  int x, y, width, height;
  int alpha;
};
// Rings 1 (outermost, faintest) to s of a shadow image W × H.
std::vector<ShadowRing> shadowRings(int imageWidth, int imageHeight, int s);

// A colour reference (0x00BBGGRR) with alpha, as 0xAARRGGBB.
std::uint32_t shadowArgb(std::uint32_t colorRef, int alpha);

struct Arc {
  int x, y, diameter;
  int startAngle;  // degrees, clockwise from the positive x axis
  int sweep;       // degrees
};
// The outline of a rounded rectangle, in drawing order; empty when the radius
// is ≤ 0 (a plain rectangle). The radius is clamped to 1..100.
std::vector<Arc> roundedRectArcs(int x, int y, int width, int height, int radius);

}  // namespace molan::shell
