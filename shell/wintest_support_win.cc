#include "shell/wintest_support_win.h"

#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>
#include <gtest/gtest.h>

#include "app/win_handles.h"

namespace molan::shell::testing {
namespace {

// GDI+ is started once by the program entry; the tests do the same.
class GdiplusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

[[maybe_unused]] ::testing::Environment* const gGdiplus =
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

Pixels capture(HWND hwnd, bool print) {
  RECT r{};
  if (print) {
    GetClientRect(hwnd, &r);
  } else {
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -r.left, -r.top);
  }
  Pixels p;
  p.width = r.right;
  p.height = r.bottom;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = p.width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::WindowDc screen(nullptr);
  win::UniqueBitmap image(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!image || !memory || !bits) return p;
  {
    win::SelectObjectScope select(memory.get(), image.get());
    if (print) {
      SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    } else {
      win::WindowDc source(hwnd, true);
      BitBlt(memory.get(), 0, 0, p.width, p.height, source.get(), 0, 0, SRCCOPY);
    }
  }
  const auto* px = static_cast<const std::uint32_t*>(bits);
  p.data.assign(px, px + static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
  return p;
}

}  // namespace

void pumpMessages(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

Pixels printClient(HWND hwnd) { return capture(hwnd, true); }
Pixels windowPixels(HWND hwnd) { return capture(hwnd, false); }

}  // namespace molan::shell::testing
