#include "recognition/screen_bmp_win.h"

#include "app/win_handles.h"
#include "recognition/bmp24.h"

namespace molan::recognition {
namespace {

// A bottom-up 24-bit DIB section of the given size, filled by `draw` through
// a memory DC, returned as a BMP file image.
template <typename Draw>
Bytes renderBmp24(int width, int height, Draw draw) {
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as the file stores it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  win::WindowDc screen(nullptr);
  void* bits = nullptr;
  win::UniqueBitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!dib || !memory || !bits) return {};
  {
    win::SelectObjectScope select(memory.get(), dib.get());
    if (!draw(memory.get(), screen.get())) return {};
  }
  GdiFlush();
  const size_t size = bmp24Stride(width) * static_cast<size_t>(height);
  return encodeBmp24(width, height, BytesView(static_cast<const char*>(bits), size));
}

}  // namespace

Bytes snapshotScreenBmp(int width, int height) {
  return renderBmp24(width, height, [&](HDC memory, HDC screen) {
    return BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT) != FALSE;
  });
}

Bytes bitmapToBmp24(HBITMAP bitmap) {
  BITMAP desc{};
  if (!bitmap || !GetObjectW(bitmap, sizeof(desc), &desc)) return {};
  return renderBmp24(desc.bmWidth, desc.bmHeight, [&](HDC memory, HDC screen) {
    win::UniqueMemoryDc source(CreateCompatibleDC(screen));
    if (!source) return false;
    win::SelectObjectScope select(source.get(), bitmap);
    return BitBlt(memory, 0, 0, desc.bmWidth, desc.bmHeight, source.get(), 0, 0, SRCCOPY) != FALSE;
  });
}

}  // namespace molan::recognition
