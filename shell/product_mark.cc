#include "shell/product_mark.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace molan::shell {
namespace {

constexpr int kSamples = 4;  // per axis, per pixel

struct Rgba {
  double r, g, b, a;  // straight colour 0..1, coverage-weighted alpha
};

double roundedSquareDistance(double x, double y, double size, double radius) {
  const double half = size / 2;
  const double qx = std::abs(x - half) - (half - radius);
  const double qy = std::abs(y - half) - (half - radius);
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

bool inBrackets(double x, double y, double size) {
  // Whole pixels, so the marks stay crisp at the small sizes.
  const double inset = std::round(0.2 * size);
  const double length = std::round(0.2 * size);
  const double thick = std::max(1.0, std::round(0.075 * size));
  const double far = size - inset;
  for (const double cx : {inset, far}) {
    for (const double cy : {inset, far}) {
      const double sx = cx == inset ? 1 : -1;  // direction into the square
      const double sy = cy == inset ? 1 : -1;
      const double x0 = std::min(cx, cx + sx * length);
      const double x1 = std::max(cx, cx + sx * length);
      const double y0 = std::min(cy, cy + sy * length);
      const double y1 = std::max(cy, cy + sy * length);
      const double tx0 = std::min(cx, cx + sx * thick);
      const double tx1 = std::max(cx, cx + sx * thick);
      const double ty0 = std::min(cy, cy + sy * thick);
      const double ty1 = std::max(cy, cy + sy * thick);
      if (x >= x0 && x <= x1 && y >= ty0 && y <= ty1) return true;
      if (y >= y0 && y <= y1 && x >= tx0 && x <= tx1) return true;
    }
  }
  return false;
}

bool onWave(double x, double y, double size, double centre) {
  const double left = 0.3 * size;
  const double right = 0.7 * size;
  if (x < left || x > right) return false;
  const double amplitude = 0.05 * size;
  const double k = 2 * std::numbers::pi / (0.4 * size);
  const double yw = centre + amplitude * std::sin(k * (x - left));
  const double slope = amplitude * k * std::cos(k * (x - left));
  const double half = std::max(0.6, 0.045 * size) * std::sqrt(1 + slope * slope);
  return std::abs(y - yw) <= half;
}

Rgba sample(double x, double y, double size) {
  if (roundedSquareDistance(x, y, size, 0.22 * size) > 0) return {0, 0, 0, 0};
  const double t = y / size;  // vertical gradient, lighter at the top
  Rgba c{(40 + (0 - 40) * t) / 255, (160 + (100 - 160) * t) / 255, 1.0 + ((228.0 - 255) / 255) * t, 1};
  if (inBrackets(x, y, size) || onWave(x, y, size, 0.45 * size)) return {1, 1, 1, 1};
  if (onWave(x, y, size, 0.6 * size)) return {0.5 + c.r / 2, 0.5 + c.g / 2, 0.5 + c.b / 2, 1};
  return c;
}

}  // namespace

std::vector<std::uint32_t> renderProductMark(int size) {
  std::vector<std::uint32_t> pixels(static_cast<size_t>(size) * static_cast<size_t>(std::max(size, 0)), 0);
  const double s = size;
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba c = sample(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples, s);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      const double n = kSamples * kSamples;
      auto byte = [n](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v / n, 0.0, 1.0) * 255)); };
      pixels[static_cast<size_t>(py) * static_cast<size_t>(size) + static_cast<size_t>(px)] =
          (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
    }
  }
  return pixels;
}

}  // namespace molan::shell
