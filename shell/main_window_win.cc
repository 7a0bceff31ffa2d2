#include "shell/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/control_names_win.h"
#include "app/control_table_win.h"
#include "app/startup_win.h"
#include "app/theme_win.h"
#include "shell/buttons_win.h"
#include "shell/canvas_win.h"
#include "shell/layout.h"
#include "shell/main_window_controls_win.h"
#include "shell/main_window_parts_win.h"
#include "shell/panel_win.h"
#include "shell/resize_bands.h"
#include "shell/surface_win.h"
#include "shell/tabs_win.h"

namespace molan::shell {
namespace {

constexpr SurfaceBands kWindowBands{kAllBands, false, false};

LRESULT onCreate(HWND hwnd) {
  win::createControls(hwnd, mainWindowControls(), win::theme::uiFont(14));
  prepareControls(hwnd);
  app::onMainWindowCreate(hwnd);
  return 0;
}

LRESULT onMinMaxInfo(HWND hwnd, MINMAXINFO* info) {
  info->ptMinTrackSize = {kMinWindowWidth, kMinWindowHeight};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
    // Maximised, the frameless window fills the work area and leaves the taskbar visible.
    info->ptMaxPosition = {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
    info->ptMaxSize = {monitor.rcWork.right - monitor.rcWork.left, monitor.rcWork.bottom - monitor.rcWork.top};
  }
  return 0;
}

LRESULT onNotify(HWND, const NMHDR* header) {
  if (header->code == TCN_SELCHANGE && win::controlName(header->hwndFrom) == L"高级选择夹_通用文字识别") {
    selectTabPage(header->hwndFrom, TabCtrl_GetCurSel(header->hwndFrom));
  }
  return 0;
}

LRESULT onControlColor(HWND control, HDC dc, bool edit) {
  if (edit) {
    SetTextColor(dc, win::theme::kText);
    SetBkColor(dc, win::theme::kWindowBack);
    return reinterpret_cast<LRESULT>(brushOf(win::theme::kWindowBack));
  }
  const std::wstring name = win::controlName(control);
  COLORREF ink = win::theme::kText;
  if (name == L"透明标签_标题1" || name.rfind(L"透明标签_通用_", 0) == 0) ink = win::theme::kTextMuted;
  SetTextColor(dc, ink);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF back = backgroundOf(GetParent(control));
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(brushOf(back));
}

LRESULT onSetCursor(HWND hwnd, WPARAM wp, LPARAM lp) {
  if (reinterpret_cast<HWND>(wp) != hwnd || LOWORD(lp) != HTCLIENT) return DefWindowProcW(hwnd, WM_SETCURSOR, wp, lp);
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  setPointerFor(surfaceHitCode(hwnd, kWindowBands, p));
  return TRUE;
}

LRESULT onLeftButtonDown(HWND hwnd, LPARAM lp) {
  const int code = surfaceHitCode(hwnd, kWindowBands, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  if (code != kHitNowhere) startMoveOrSize(hwnd, code);
  return 0;
}

LRESULT onTimer(HWND hwnd, WPARAM id) {
  if (id == app::kStartupTimerId) app::onStartupTick(hwnd);
  return 0;
}

LRESULT onClose(HWND hwnd) {
  if (app::onMainWindowClose(hwnd)) DestroyWindow(hwnd);
  return 0;
}

LRESULT onEraseBackground(HWND hwnd, HDC dc) {
  RECT r{};
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, brushOf(win::theme::kWindowBack));
  return 1;
}

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return onCreate(hwnd);
    case WM_SIZE: applyLayout(hwnd); return 0;
    case WM_GETMINMAXINFO: return onMinMaxInfo(hwnd, reinterpret_cast<MINMAXINFO*>(lp));
    case WM_COMMAND: onControlCommand(hwnd, reinterpret_cast<HWND>(lp), HIWORD(wp)); return 0;
    case WM_NOTIFY: return onNotify(hwnd, reinterpret_cast<const NMHDR*>(lp));
    case WM_DRAWITEM: drawOwnerItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_CTLCOLORSTATIC: return onControlColor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), false);
    case WM_CTLCOLOREDIT: return onControlColor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp), true);
    case WM_SETCURSOR: return onSetCursor(hwnd, wp, lp);
    case WM_LBUTTONDOWN: return onLeftButtonDown(hwnd, lp);
    case WM_ERASEBKGND: return onEraseBackground(hwnd, reinterpret_cast<HDC>(wp));
    case WM_TIMER: return onTimer(hwnd, wp);
    case WM_CLOSE: return onClose(hwnd);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

bool registerMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kMainWindowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, int showCommand) {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&icc);
  if (!registerMainWindowClass(instance) || !registerPanelClass(instance) || !win::registerCanvasClass(instance)) {
    return nullptr;
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + std::max(0L, (work.right - work.left - kMainWindowWidth) / 2);
  const int y = work.top + std::max(0L, (work.bottom - work.top - kMainWindowHeight) / 2);
  const HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, kMainWindowClass, kMainWindowTitle,
                                    WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, x, y,
                                    kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, nullptr);
  if (hwnd) {
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
  }
  return hwnd;
}

}  // namespace molan::shell
