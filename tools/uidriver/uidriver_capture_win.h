#pragma once
// Pixels of the screen as the user sees them (BitBlt of the screen DC, so
// layered and composited windows come out as displayed).
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/win_handles.h"

namespace molan::uidriver {

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> bgra;  // top-down rows, 0x00RRGGBB
};

// A top-down 32-bit DIB section holding `area` of the screen.
win::UniqueBitmap captureScreen(const RECT& area);
Pixels pixelsOf(HBITMAP bitmap, int width, int height);

// An icon drawn at its default size over a solid background colour.
Pixels drawIcon(HICON icon, int width, int height, std::uint32_t background);

// Saves a bitmap as PNG or BMP (chosen by the file's extension) through GDI+.
bool saveBitmap(HBITMAP bitmap, const std::wstring& path, std::wstring& error);

}  // namespace molan::uidriver
