#pragma once
// 24-bit BMP file images, the form of every screen snapshot and screen cut.
// Portable: the Win32 layer hands over pixel rows, and cuts are taken from
// the frozen snapshot's bytes here.
#include <cstdint>

#include "link/bytes.h"

namespace molan {

// Size in bytes of one pixel row of a 24-bit bitmap: padded to 4 bytes.
inline constexpr size_t bmp24Stride(int width) { return (static_cast<size_t>(width) * 3 + 3) / 4 * 4; }

// "BM" file header + 40-byte info header + `rows`: bottom-up rows of
// bmp24Stride(width) bytes each (BGR). Empty when width or height is not
// positive or the rows have the wrong size.
Bytes encodeBmp24(int width, int height, BytesView bottomUpRows);

struct Bmp24Info {
  int width = 0, height = 0;  // height positive; topDown tells the row order
  bool topDown = false;
  size_t pixelOffset = 0;
};
// Reads the headers of an uncompressed 24-bit BMP; false for anything else
// or when the pixel data is shorter than the headers promise.
bool readBmp24Info(BytesView bmp, Bmp24Info& info);

// The part of a 24-bit BMP from column `left` to `right` - 1 and row `top` to
// `bottom` - 1 (top-left origin), clipped to the picture, as a new 24-bit BMP.
// Empty when the clipped region has no width or no height, or `bmp` is not a
// 24-bit BMP.
Bytes cropBmp24(BytesView bmp, int left, int top, int right, int bottom);

}  // namespace molan
