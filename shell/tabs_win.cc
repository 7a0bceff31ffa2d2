#include "shell/tabs_win.h"

#include <commctrl.h>

#include "app/theme_win.h"
#include "app/win_handles.h"
#include "shell/panel_win.h"

namespace molan::shell {
namespace {

constexpr wchar_t kPageProp[] = L"MoLan.Page";  // page index + 1
constexpr UINT_PTR kTabSubclassId = 0x4D4C5401;

void paintHeaders(HWND tab, HDC dc, const RECT& client) {
  const RECT strip{client.left, client.top, client.right, kTabHeaderHeight};
  FillRect(dc, &strip, brushOf(win::theme::kWindowBack));
  const RECT line{client.left, kTabHeaderHeight - 1, client.right, kTabHeaderHeight};
  FillRect(dc, &line, brushOf(win::theme::kLine));
  const int current = TabCtrl_GetCurSel(tab);
  win::SelectObjectScope font(dc, win::theme::uiFont(14));
  SetBkMode(dc, TRANSPARENT);
  const int count = TabCtrl_GetItemCount(tab);
  for (int i = 0; i < count; ++i) {
    RECT item{};
    TabCtrl_GetItemRect(tab, i, &item);
    wchar_t text[64] = {};
    TCITEMW ti{};
    ti.mask = TCIF_TEXT;
    ti.pszText = text;
    ti.cchTextMax = 64;
    TabCtrl_GetItem(tab, i, &ti);
    const bool selected = i == current;
    SetTextColor(dc, selected ? win::theme::kAccent : win::theme::kText);
    RECT textRect{item.left, 0, item.right, kTabHeaderHeight};
    DrawTextW(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (selected) {
      const RECT underline{item.left + 16, kTabHeaderHeight - 3, item.right - 16, kTabHeaderHeight - 1};
      FillRect(dc, &underline, brushOf(win::theme::kAccent));
    }
  }
}

void paintTab(HWND tab, bool headers) {
  win::PaintDc paint(tab);
  RECT client{};
  GetClientRect(tab, &client);
  FillRect(paint.get(), &client, brushOf(backgroundOf(tab)));
  if (headers) paintHeaders(tab, paint.get(), client);
}

LRESULT CALLBACK tabProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR headers) {
  LRESULT forwarded = 0;
  if (forwardToRoot(hwnd, msg, wp, lp, &forwarded)) return forwarded;
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paintTab(hwnd, headers != 0); return 0;
    case WM_SIZE: InvalidateRect(hwnd, nullptr, FALSE); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
      if (!headers) return 0;  // pages change only through the navigation buttons
      break;
    default: break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void setupTab(HWND tab, std::span<const wchar_t* const> captions, bool headers) {
  int index = 0;
  for (const wchar_t* caption : captions) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption);
    TabCtrl_InsertItem(tab, index++, &item);
  }
  if (headers) TabCtrl_SetItemSize(tab, 136, kTabHeaderHeight);
  SetWindowSubclass(tab, tabProc, kTabSubclassId, headers ? 1 : 0);
  TabCtrl_SetCurSel(tab, 0);
}

void setTabPage(HWND control, int page) {
  SetPropW(control, kPageProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(page + 1)));
}

void selectTabPage(HWND tab, int index) {
  if (TabCtrl_GetCurSel(tab) != index) TabCtrl_SetCurSel(tab, index);
  for (HWND child = GetWindow(tab, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const auto page = reinterpret_cast<UINT_PTR>(GetPropW(child, kPageProp));
    if (page == 0) continue;  // not a page control (e.g. the tab's own tooltip)
    ShowWindow(child, static_cast<int>(page) - 1 == index ? SW_SHOWNA : SW_HIDE);
  }
  InvalidateRect(tab, nullptr, FALSE);
}

}  // namespace molan::shell
