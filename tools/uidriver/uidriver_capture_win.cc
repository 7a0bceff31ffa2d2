#include "tools/uidriver/uidriver_capture_win.h"

#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>

namespace molan::uidriver {

namespace {

win::UniqueBitmap topDownDib(HDC reference, int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return win::UniqueBitmap(CreateDIBSection(reference, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace

win::UniqueBitmap captureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  win::WindowDc screen(nullptr);
  win::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  win::UniqueBitmap bitmap = topDownDib(screen.get(), width, height, &bits);
  if (!memory || !bitmap) return {};
  win::SelectObjectScope select(memory.get(), bitmap.get());
  if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) return {};
  GdiFlush();
  return bitmap;
}

Pixels pixelsOf(HBITMAP bitmap, int width, int height) {
  Pixels p;
  DIBSECTION dib{};
  if (!bitmap || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return p;
  p.width = width;
  p.height = height;
  p.bgra.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  const auto* src = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
  for (size_t i = 0; i < p.bgra.size(); ++i) p.bgra[i] = src[i] & 0x00FFFFFFu;
  return p;
}

Pixels drawIcon(HICON icon, int width, int height, std::uint32_t background) {
  win::WindowDc screen(nullptr);
  win::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  win::UniqueBitmap bitmap = topDownDib(screen.get(), width, height, &bits);
  if (!memory || !bitmap) return {};
  {
    win::SelectObjectScope select(memory.get(), bitmap.get());
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i) px[i] = background;
    DrawIconEx(memory.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    GdiFlush();
  }
  return pixelsOf(bitmap.get(), width, height);
}

namespace {

// GDI+ for the lifetime of one save.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

bool encoderFor(const std::wstring& mime, CLSID& clsid) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<unsigned char> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (mime == codecs[i].MimeType) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

bool endsWith(const std::wstring& text, const std::wstring& tail) {
  if (text.size() < tail.size()) return false;
  return CompareStringOrdinal(text.c_str() + text.size() - tail.size(), static_cast<int>(tail.size()), tail.c_str(),
                              static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool saveBitmap(HBITMAP bitmap, const std::wstring& path, std::wstring& error) {
  const bool png = endsWith(path, L".png");
  if (!png && !endsWith(path, L".bmp")) {
    error = L"the picture file must end in .png or .bmp";
    return false;
  }
  GdiplusSession session;
  CLSID clsid{};
  if (!session.ok() || !encoderFor(png ? L"image/png" : L"image/bmp", clsid)) {
    error = L"GDI+ has no encoder for this picture type";
    return false;
  }
  Gdiplus::Bitmap picture(bitmap, nullptr);
  if (picture.GetLastStatus() != Gdiplus::Ok || picture.Save(path.c_str(), &clsid, nullptr) != Gdiplus::Ok) {
    error = L"cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace molan::uidriver
