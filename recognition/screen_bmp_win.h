#pragma once
// Screen and clipboard pictures as 24-bit BMP file images.
#include <windows.h>

#include "link/bytes.h"

namespace molan::recognition {

// The primary screen from its top-left corner, width x height pixels.
Bytes snapshotScreenBmp(int width, int height);
// Any bitmap (e.g. the clipboard's) redrawn as a 24-bit BMP; empty on failure.
Bytes bitmapToBmp24(HBITMAP bitmap);

}  // namespace molan::recognition
