#include "shell/shadow_win.h"

#include <windows.h>
#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>

#include "app/win_handles.h"
#include "shell/shadow_geometry.h"

namespace molan::shell {
namespace {

ShadowImageObserver gObserver = nullptr;

template <typename T>
T propAs(HWND hwnd, const wchar_t* name) {
  return reinterpret_cast<T>(GetPropW(hwnd, name));
}
HANDLE asProp(UINT_PTR value) { return reinterpret_cast<HANDLE>(value); }

HWND shadowOf(HWND window) {
  const HWND shadow = propAs<HWND>(window, kShadowProp);
  return IsWindow(shadow) ? shadow : nullptr;
}

bool ensureShadowClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kShadowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = kShadowClass;
  return RegisterClassExW(&wc) != 0;
}

void removeShadow(HWND window) {
  if (const HWND shadow = shadowOf(window)) {
    RemovePropW(shadow, kShadowColorProp);
    RemovePropW(shadow, kShadowSizeProp);
    DestroyWindow(shadow);
  }
  RemovePropW(window, kShadowProp);
  if (const auto previous = propAs<WNDPROC>(window, kShadowProcProp)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(window, kShadowProcProp);
  }
}

LRESULT callPrevious(const wchar_t* prop, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const auto previous = propAs<WNDPROC>(hwnd, prop);
  return previous ? CallWindowProcW(previous, hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK shadowedWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = callPrevious(kShadowProcProp, hwnd, msg, wp, lp);
  switch (msg) {
    case WM_MOVE:
    case WM_SIZE: UpdateShadow(hwnd, false, false); break;
    case WM_SHOWWINDOW: UpdateShadow(hwnd, wp != 0, true); break;
    default: break;
  }
  return result;
}

void pushImage(HWND shadow, int x, int y, int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::WindowDc screen(nullptr);
  win::UniqueBitmap image(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!image || !memory || !bits) return;
  win::SelectObjectScope select(memory.get(), image.get());
  PaintShadow(shadow, memory.get(), w, h);
  POINT position{x, y};
  SIZE size{w, h};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(shadow, screen.get(), &position, &size, memory.get(), &source, 0, &blend, ULW_ALPHA);
  if (gObserver) gObserver(shadow, static_cast<const std::uint32_t*>(bits), w, h);
}

}  // namespace

bool AttachShadow(HWND window, COLORREF color, int size) {
  if (!IsWindow(window)) return false;
  if (size <= 0) {
    removeShadow(window);
    return false;
  }
  HWND shadow = shadowOf(window);
  if (!shadow) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    if (!ensureShadowClass(instance)) return false;
    // Created hidden and shown without activation right away: a window created
    // visible is activated on creation, and the shadow must never be active.
    shadow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, kShadowClass, L"",
                             WS_POPUP | WS_DISABLED, 0, 0, 0, 0, window, nullptr, instance, nullptr);
    if (!shadow) return false;
    ShowWindow(shadow, SW_SHOWNOACTIVATE);
    SetPropW(window, kShadowProp, shadow);
  }
  SetPropW(shadow, kShadowColorProp, asProp(color));
  SetPropW(shadow, kShadowSizeProp, asProp(static_cast<UINT_PTR>(size)));
  UpdateShadow(window, false, false);
  if (!GetPropW(window, kShadowProcProp)) {
    const LONG_PTR previous =
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&shadowedWindowProc));
    SetPropW(window, kShadowProcProp, reinterpret_cast<HANDLE>(previous));
  }
  return true;
}

void UpdateShadow(HWND window, bool visible, bool visibleGiven) {
  const HWND shadow = shadowOf(window);
  if (!shadow) return;
  if (!visibleGiven) visible = IsWindowVisible(window) != FALSE;
  if (!visible || IsZoomed(window) || IsIconic(window)) {
    ShowWindow(shadow, SW_HIDE);
    return;
  }
  if (!IsWindowVisible(shadow)) ShowWindow(shadow, SW_SHOWNOACTIVATE);
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (w == 0 || h == 0) return;
  const int s = static_cast<int>(propAs<UINT_PTR>(shadow, kShadowSizeProp));
  const ShadowPlacement p = shadowPlacement(r.left, r.top, w, h, s);
  SetWindowPos(shadow, nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  pushImage(shadow, p.x, p.y, p.width, p.height);
}

void PaintShadow(HWND shadow, HDC surface, int width, int height) {
  const auto color = static_cast<COLORREF>(propAs<UINT_PTR>(shadow, kShadowColorProp));
  const int s = static_cast<int>(propAs<UINT_PTR>(shadow, kShadowSizeProp));
  DIBSECTION dib{};
  if (s <= 0 || !GetObjectW(GetCurrentObject(surface, OBJ_BITMAP), sizeof(dib), &dib) || !dib.dsBm.bmBits) return;
  // Draw straight into the image's premultiplied pixels; the image is bottom-up.
  const int stride = dib.dsBm.bmWidthBytes;
  auto* lastRow = static_cast<BYTE*>(dib.dsBm.bmBits) + static_cast<ptrdiff_t>(stride) * (height - 1);
  Gdiplus::Bitmap target(width, height, -stride, PixelFormat32bppPARGB, lastRow);
  Gdiplus::Graphics g(&target);
  g.SetClip(Gdiplus::Rect(s, s, width - 2 * s, height - 2 * s), Gdiplus::CombineModeExclude);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetCompositingQuality(Gdiplus::CompositingQualityAssumeLinear);
  for (const ShadowRing& ring : shadowRings(width, height, s)) {
    Gdiplus::Pen pen(Gdiplus::Color(shadowArgb(color, ring.alpha)), 1.0f);
    Gdiplus::GraphicsPath path;
    for (const Arc& a : roundedRectArcs(ring.x, ring.y, ring.width, ring.height, 4)) {
      path.AddArc(a.x, a.y, a.diameter, a.diameter, static_cast<Gdiplus::REAL>(a.startAngle),
                  static_cast<Gdiplus::REAL>(a.sweep));
    }
    path.CloseFigure();
    g.DrawPath(&pen, &path);
  }
  g.ResetClip();
}

void setShadowImageObserver(ShadowImageObserver observer) { gObserver = observer; }

}  // namespace molan::shell
