#include "shell/shadow_geometry.h"

#include <algorithm>

namespace molan::shell {

ShadowPlacement shadowPlacement(int x, int y, int w, int h, int s) {
  return {x - s, y - s, w + 2 * s, h + 2 * s};
}

int shadowAlphaStep(int s) {
  if (s <= 0) return 0;
  return s <= 8 ? 100 / s : 150 / s;
}

std::vector<ShadowRing> shadowRings(int imageWidth, int imageHeight, int s) {
  std::vector<ShadowRing> rings;
  const int step = shadowAlphaStep(s);
  for (int i = 1; i <= s; ++i) {
    rings.push_back({i - 1, i - 1, imageWidth - 2 * i + 1, imageHeight - 2 * i + 1, step * i});
  }
  return rings;
}

std::uint32_t shadowArgb(std::uint32_t colorRef, int alpha) {
  const std::uint32_t red = colorRef & 0xFF;
  const std::uint32_t green = (colorRef >> 8) & 0xFF;
  const std::uint32_t blue = (colorRef >> 16) & 0xFF;
  return (static_cast<std::uint32_t>(alpha) << 24) | (red << 16) | (green << 8) | blue;
}

std::vector<Arc> roundedRectArcs(int x, int y, int width, int height, int radius) {
  if (radius <= 0) return {};
  const int d = 2 * std::clamp(radius, 1, 100);
  return {
      {x, y, d, 180, 90},
      {x + width - d, y, d, 270, 90},
      {x + width - d, y + height - d, d, 0, 90},
      {x, y + height - d, d, 90, 90},
  };
}

}  // namespace molan::shell
