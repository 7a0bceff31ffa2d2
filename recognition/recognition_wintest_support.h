#pragma once
// For the Win32 tests: a real window carrying the recognition pages'
// canvases and result boxes under their design names, message pumping, and
// the pixels a canvas paints.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/message_box_catcher_wintest.h"
#include "link/bytes.h"
#include "recognition/recognition_kind.h"

namespace molan::recognition::testing {

class PagesWindow {
 public:
  PagesWindow();  // also the window thread and the recognition root
  ~PagesWindow();
  PagesWindow(const PagesWindow&) = delete;
  PagesWindow& operator=(const PagesWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

void pumpMessages();
// Pumps messages until `done` returns true or `ms` pass; returns done().
bool pumpUntil(const std::function<bool()>& done, int ms);

std::wstring windowText(HWND hwnd);

struct Pixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> data;  // 0x00RRGGBB, rows top to bottom
  std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};
Pixels paintedPixels(HWND hwnd);

using win::testing::CaughtBox;
using win::testing::MessageBoxCatcher;

// A 24-bit BMP of the given size filled with one colour.
Bytes solidBmp(int width, int height, COLORREF color);

}  // namespace molan::recognition::testing
