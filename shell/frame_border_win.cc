#include "app/win_handles.h"
#include "shell/shadow_win.h"

namespace molan::shell {
namespace {

WNDPROC previousOf(HWND control) { return reinterpret_cast<WNDPROC>(GetPropW(control, kBorderProcProp)); }

LRESULT callPrevious(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return previous ? CallWindowProcW(previous, hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT onBorderDestroy(HWND control, WPARAM wp, LPARAM lp) {
  const WNDPROC previous = previousOf(control);
  if (previous) SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  RemovePropW(control, kBorderColorProp);
  RemovePropW(control, kBorderProcProp);
  return callPrevious(previous, control, WM_DESTROY, wp, lp);
}

LRESULT onBorderPaint(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = callPrevious(previousOf(control), control, msg, wp, lp);
  RECT r{};
  GetWindowRect(control, &r);
  const RECT frame{0, 0, r.right - r.left, r.bottom - r.top};
  win::WindowDc dc(control, true);
  win::UniqueBrush brush(
      CreateSolidBrush(static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropW(control, kBorderColorProp)))));
  if (dc.get() && brush) FrameRect(dc.get(), &frame, brush.get());
  return result;
}

LRESULT CALLBACK borderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (!hwnd) return 0;
  switch (msg) {
    case WM_DESTROY: return onBorderDestroy(hwnd, wp, lp);
    case WM_PAINT:
    case WM_NCPAINT: return onBorderPaint(hwnd, msg, wp, lp);
    default: return callPrevious(previousOf(hwnd), hwnd, msg, wp, lp);
  }
}

}  // namespace

void AttachFrameBorder(HWND control, COLORREF color) {
  if (GetPropW(control, kBorderProcProp)) return;
  const LONG_PTR previous = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&borderProc));
  if (!previous) return;
  SetPropW(control, kBorderProcProp, reinterpret_cast<HANDLE>(previous));
  SetPropW(control, kBorderColorProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(color)));
}

}  // namespace molan::shell
