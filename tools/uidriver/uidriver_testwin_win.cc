// uidriver-testwin: a small window with named controls, built only so the UI
// driver and the end-to-end fixtures can be tested against a real Win32
// program. Every action shows its effect in the status line (标签_状态), so a
// test can check through the driver that the action arrived.
//   uidriver-testwin.exe [exit code]   (the code returned when the window closes)
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/control_names_win.h"
#include "app/win_handles.h"

namespace {

constexpr wchar_t kTitle[] = L"驱动测试窗口";
constexpr wchar_t kClass[] = L"MoLanDriverTestWindow";
constexpr wchar_t kCanvasClass[] = L"MoLanDriverTestCanvas";

enum Id : int { kClick = 101, kAccount, kStatus, kOwnerDrawn, kCanvas, kBoxFirst = 200 };

struct ControlSpec {
  const wchar_t* name;
  const wchar_t* cls;
  const wchar_t* caption;
  int id;
  int x, y, w, h;
  DWORD style;
};

const ControlSpec kControls[] = {
    {L"超级按钮_确定", L"BUTTON", L"确定登录", kClick, 20, 20, 120, 30, BS_PUSHBUTTON},
    {L"编辑框_账号", L"EDIT", L"", kAccount, 160, 20, 200, 26, ES_AUTOHSCROLL | WS_BORDER},
    {L"标签_状态", L"STATIC", L"就绪", kStatus, 20, 70, 340, 24, SS_LEFT},
    {L"超级按钮_自绘", L"BUTTON", L"自绘按钮", kOwnerDrawn, 380, 20, 120, 30, BS_OWNERDRAW},
    {L"画布_鼠标", kCanvasClass, L"", kCanvas, 20, 110, 200, 120, WS_BORDER},
};

struct BoxSpec {
  const wchar_t* name;
  const wchar_t* caption;
  const wchar_t* text;
  UINT type;
};

// One button per kind of message box; the box's answer goes to the status line.
const BoxSpec kBoxes[] = {
    {L"按钮_信息", L"信息", L"这是一条信息\n第二行", MB_OK | MB_ICONINFORMATION},
    {L"按钮_警告", L"警告", L"这是一条警告", MB_OKCANCEL | MB_ICONWARNING},
    {L"按钮_错误", L"错误", L"这是一条错误", MB_OK | MB_ICONERROR},
    {L"按钮_询问", L"询问", L"要继续吗？", MB_YESNO | MB_ICONQUESTION},
    {L"按钮_无图标", L"无图标", L"没有图标", MB_OK},
};

int g_exitCode = 0;
int g_clicks = 0;
int g_ownerClicks = 0;

void setStatus(HWND window, const std::wstring& text) { SetDlgItemTextW(window, kStatus, text.c_str()); }

HWND makeChild(HWND parent, const wchar_t* name, const wchar_t* cls, const wchar_t* caption, int id, RECT r,
               DWORD style) {
  HWND h = CreateWindowExW(0, cls, caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, r.left, r.top, r.right,
                           r.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  molan::win::setControlName(h, name);
  return h;
}

LRESULT onCreate(HWND window) {
  for (const ControlSpec& c : kControls) makeChild(window, c.name, c.cls, c.caption, c.id, {c.x, c.y, c.w, c.h}, c.style);
  int y = 250;
  for (size_t i = 0; i < std::size(kBoxes); ++i, y += 34) {
    makeChild(window, kBoxes[i].name, L"BUTTON", kBoxes[i].caption, kBoxFirst + static_cast<int>(i), {20, y, 120, 28},
              BS_PUSHBUTTON);
  }
  SetFocus(GetDlgItem(window, kCanvas));
  return 0;
}

LRESULT onCommand(HWND window, int id) {
  if (id == kClick) setStatus(window, L"点击 " + std::to_wstring(++g_clicks));
  if (id == kOwnerDrawn) setStatus(window, L"自绘 " + std::to_wstring(++g_ownerClicks));
  if (id >= kBoxFirst && id < kBoxFirst + static_cast<int>(std::size(kBoxes))) {
    const BoxSpec& box = kBoxes[id - kBoxFirst];
    const int answer = MessageBoxW(window, box.text, box.caption, box.type);
    setStatus(window, L"答复 " + std::to_wstring(answer));
  }
  return 0;
}

LRESULT onDrawItem(const DRAWITEMSTRUCT& item) {
  molan::win::UniqueBrush brush(CreateSolidBrush(RGB(40, 120, 200)));
  FillRect(item.hDC, &item.rcItem, brush.get());
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(255, 255, 255));
  RECT r = item.rcItem;
  DrawTextW(item.hDC, L"自绘按钮", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return TRUE;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return onCreate(window);
    case WM_COMMAND: return onCommand(window, LOWORD(wParam));
    case WM_DRAWITEM: return onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_DESTROY: PostQuitMessage(g_exitCode); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

// The canvas reports each mouse message and key it receives.
LRESULT reportInput(HWND canvas, const wchar_t* what, LPARAM lParam) {
  wchar_t buf[64];
  std::swprintf(buf, 64, L"%ls %d %d", what, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  setStatus(GetParent(canvas), buf);
  return 0;
}

LRESULT CALLBACK canvasProc(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: return reportInput(canvas, L"down", lParam);
    case WM_MOUSEMOVE: return reportInput(canvas, (wParam & MK_LBUTTON) ? L"move" : L"hover", lParam);
    case WM_LBUTTONUP: return reportInput(canvas, L"up", lParam);
    case WM_LBUTTONDBLCLK: return reportInput(canvas, L"dblclick", lParam);
    case WM_KEYDOWN: setStatus(GetParent(canvas), L"key " + std::to_wstring(wParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTARROWS;  // keys reach it past IsDialogMessage
    default: return DefWindowProcW(canvas, message, wParam, lParam);
  }
}

void registerClass(const wchar_t* name, WNDPROC proc, UINT style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  g_exitCode = _wtoi(commandLine);
  registerClass(kClass, windowProc, 0);
  registerClass(kCanvasClass, canvasProc, CS_DBLCLKS);
  HWND window = CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 560, 460, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
