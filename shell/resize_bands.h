#pragma once
// Resize bands of the frameless main window: which part of the window frame a
// point on one of its surfaces stands for, as the system's hit-test code, and
// the mouse pointer that goes with it.

namespace molan::shell {

// Hit-test codes, as the system's non-client codes.
inline constexpr int kHitNowhere = 0;
inline constexpr int kHitCaption = 2;
inline constexpr int kHitLeft = 10;
inline constexpr int kHitRight = 11;
inline constexpr int kHitTop = 12;
inline constexpr int kHitTopLeft = 13;
inline constexpr int kHitTopRight = 14;
inline constexpr int kHitBottom = 15;
inline constexpr int kHitBottomLeft = 16;
inline constexpr int kHitBottomRight = 17;

// The bands a surface serves; corners are where two served bands meet.
enum Band : unsigned { kBandLeft = 1, kBandRight = 2, kBandTop = 4, kBandBottom = 8 };
inline constexpr unsigned kAllBands = kBandLeft | kBandRight | kBandTop | kBandBottom;

// Point (x, y) in the surface's coordinates, surface w × h. The left and top
// bands are six pixels wide (x ≤ 5), the right and bottom five (x > w − 6).
// Returns kHitNowhere outside every served band.
int bandHitCode(int x, int y, int w, int h, unsigned served);

enum class Pointer { Arrow, SizeWestEast, SizeNorthSouth, SizeNorthWestSouthEast, SizeNorthEastSouthWest };
Pointer pointerFor(int hitCode);

}  // namespace molan::shell
