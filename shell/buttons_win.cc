#include "shell/buttons_win.h"

#include <commctrl.h>

#include "app/control_names_win.h"
#include "shell/hooks_win.h"

namespace molan::shell {
namespace {

constexpr wchar_t kHotProp[] = L"MoLan.Hot";
constexpr wchar_t kCheckedProp[] = L"MoLan.Checked";
constexpr wchar_t kCurrentProp[] = L"MoLan.Current";
constexpr wchar_t kGlyphProp[] = L"MoLan.Glyph";
constexpr UINT_PTR kHoverSubclassId = 0x4D4C4803;

bool flag(HWND hwnd, const wchar_t* prop) { return GetPropW(hwnd, prop) != nullptr; }
void setFlag(HWND hwnd, const wchar_t* prop, bool on) {
  if (on) {
    SetPropW(hwnd, prop, reinterpret_cast<HANDLE>(1));
  } else {
    RemovePropW(hwnd, prop);
  }
}

void onMouseMove(HWND hwnd) {
  if (!isHot(hwnd)) {
    setFlag(hwnd, kHotProp, true);
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd;
    TrackMouseEvent(&track);
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  if (const CommandHandler hover = hoverHandlerFor(win::controlName(hwnd))) {
    hover(GetAncestor(hwnd, GA_ROOT), hwnd);
  }
}

LRESULT CALLBACK hoverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  switch (msg) {
    case WM_MOUSEMOVE: onMouseMove(hwnd); break;
    case WM_MOUSELEAVE:
      setFlag(hwnd, kHotProp, false);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case BM_GETCHECK: return isChecked(hwnd) ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK: setChecked(hwnd, wp == BST_CHECKED); return 0;
    case WM_NCDESTROY:
      for (const wchar_t* prop : {kHotProp, kCheckedProp, kCurrentProp, kGlyphProp}) RemovePropW(hwnd, prop);
      RemoveWindowSubclass(hwnd, hoverProc, kHoverSubclassId);
      break;
    default: break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void makeHoverAware(HWND control) { SetWindowSubclass(control, hoverProc, kHoverSubclassId, 0); }

bool isHot(HWND control) { return flag(control, kHotProp); }
bool isChecked(HWND button) { return flag(button, kCheckedProp); }
void setChecked(HWND button, bool checked) { setFlag(button, kCheckedProp, checked); }
bool isCurrent(HWND button) { return flag(button, kCurrentProp); }
void setCurrent(HWND button, bool current) {
  if (current == isCurrent(button)) return;
  setFlag(button, kCurrentProp, current);
  InvalidateRect(button, nullptr, FALSE);
}

void setButtonGlyph(HWND button, Glyph glyph) {
  SetPropW(button, kGlyphProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(glyph)));
  InvalidateRect(button, nullptr, FALSE);
}

Glyph buttonGlyph(HWND button) {
  return static_cast<Glyph>(reinterpret_cast<UINT_PTR>(GetPropW(button, kGlyphProp)));
}

}  // namespace molan::shell
