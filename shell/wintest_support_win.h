#pragma once
// Helpers of the shell's Win32 tests: pumping pending messages and reading
// the pixels a window paints into a 32-bit image.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace molan::shell::testing {

void pumpMessages(int rounds = 3);

struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> data;  // 0x00RRGGBB, rows top to bottom
  std::uint32_t at(int x, int y) const {
    return data[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] & 0xFFFFFF;
  }
};
// What the window paints for WM_PRINTCLIENT (client area), and what its
// whole window area shows through its window DC now.
Pixels printClient(HWND hwnd);
Pixels windowPixels(HWND hwnd);

inline std::uint32_t rgbOf(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

}  // namespace molan::shell::testing
