#include "shell/surface_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "shell/resize_bands.h"

namespace molan::shell {
namespace {

constexpr UINT_PTR kSurfaceSubclassId = 0x4D4C5302;

DWORD_PTR pack(SurfaceBands b) {
  return b.bands | (b.windowWidth ? 0x100u : 0u) | (b.dragElsewhere ? 0x200u : 0u);
}
SurfaceBands unpack(DWORD_PTR v) {
  return {static_cast<unsigned>(v & 0xFF), (v & 0x100) != 0, (v & 0x200) != 0};
}

POINT cursorIn(HWND surface) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(surface, &p);
  return p;
}

LRESULT CALLBACK surfaceProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  const SurfaceBands bands = unpack(data);
  switch (msg) {
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == hwnd && LOWORD(lp) == HTCLIENT) {
        setPointerFor(surfaceHitCode(hwnd, bands, cursorIn(hwnd)));
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      setPointerFor(surfaceHitCode(hwnd, bands, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}));
      break;
    case WM_LBUTTONDOWN: {
      int code = surfaceHitCode(hwnd, bands, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      if (code == kHitNowhere && bands.dragElsewhere) code = kHitCaption;
      if (code != kHitNowhere) {
        startMoveOrSize(hwnd, code);
        return 0;
      }
      break;
    }
    default: break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void makeResizeSurface(HWND surface, SurfaceBands bands) {
  SetWindowSubclass(surface, surfaceProc, kSurfaceSubclassId, pack(bands));
}

int surfaceHitCode(HWND surface, SurfaceBands bands, POINT point) {
  const HWND root = GetAncestor(surface, GA_ROOT);
  if (!root || IsZoomed(root)) return kHitNowhere;  // a maximised window is neither moved nor sized
  RECT own{};
  GetClientRect(surface, &own);
  int width = own.right;
  if (bands.windowWidth) {
    RECT window{};
    GetWindowRect(root, &window);
    width = window.right - window.left;
  }
  return bandHitCode(point.x, point.y, width, own.bottom, bands.bands);
}

void setPointerFor(int hitCode) {
  const wchar_t* shape = IDC_ARROW;
  switch (pointerFor(hitCode)) {
    case Pointer::SizeWestEast: shape = IDC_SIZEWE; break;
    case Pointer::SizeNorthSouth: shape = IDC_SIZENS; break;
    case Pointer::SizeNorthWestSouthEast: shape = IDC_SIZENWSE; break;
    case Pointer::SizeNorthEastSouthWest: shape = IDC_SIZENESW; break;
    case Pointer::Arrow: break;
  }
  SetCursor(LoadCursorW(nullptr, shape));
}

void startMoveOrSize(HWND surface, int hitCode) {
  const HWND root = GetAncestor(surface, GA_ROOT);
  POINT p{};
  GetCursorPos(&p);
  ReleaseCapture();
  SendMessageW(root, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hitCode), MAKELPARAM(p.x, p.y));
}

}  // namespace molan::shell
