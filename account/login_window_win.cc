// LoginWindow: creation, look and the message dispatch. What the controls do
// is in login_actions_win.cc.
#include "account/login_window_win.h"

#include <commctrl.h>

#include <array>

#include "account/login_window_parts_win.h"
#include "app/control_names_win.h"
#include "app/control_table_win.h"
#include "app/theme_win.h"
#include "app/win_handles.h"
#include "shell/buttons_win.h"
#include "shell/glyphs_win.h"
#include "shell/main_window_controls_win.h"
#include "shell/panel_win.h"
#include "shell/shadow_win.h"
#include "shell/surface_win.h"

namespace molan::account {
namespace {

using namespace login;
namespace theme = win::theme;

constexpr DWORD kVisible = WS_VISIBLE;
constexpr DWORD kEdit = kVisible | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kCheck = kVisible | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr int kTitleStripHeight = 48;

ForgotPasswordHandler gForgotPasswordHandler = nullptr;  // window thread only

// The window's controls, in creation order (the title strip before its children).
constexpr std::array<win::ControlSpec, 10> kControls = {{
    {L"外形框_标题栏1", shell::kPanelClass, kVisible | WS_CLIPCHILDREN, 0, 0, kLoginWindowWidth,
     kTitleStripHeight, L"", kIdTitleStrip},
    {L"图片框_图标", WC_STATICW, kVisible | SS_OWNERDRAW, 12, 8, 32, 32, L"", kIdIcon, L"外形框_标题栏1"},
    {L"透明标签_标题", WC_STATICW, kVisible | SS_LEFT | SS_CENTERIMAGE, 52, 12, 120, 24, L"登录", kIdTitle,
     L"外形框_标题栏1"},
    {L"图形按钮_关闭", WC_BUTTONW, kVisible | BS_OWNERDRAW, 400, 16, 16, 16, L"", kIdClose, L"外形框_标题栏1"},
    {L"编辑框_账号", WC_EDITW, kEdit, 120, 72, 264, 25, L"", kIdAccount},
    {L"编辑框_密码", WC_EDITW, kEdit | ES_PASSWORD, 120, 112, 264, 24, L"", kIdPassword},
    {L"选择框_记住密码", WC_BUTTONW, kCheck, 120, 152, 88, 24, L"记住密码", kIdRemember},
    {L"选择框_自动登录", WC_BUTTONW, kCheck, 216, 152, 88, 24, L"自动登录", kIdAutoLogin},
    {L"透明标签_忘记密码", WC_STATICW, kVisible | SS_NOTIFY | SS_CENTERIMAGE, 328, 152, 56, 24, L"忘记密码", kIdForgot},
    {L"超级按钮_登录", WC_BUTTONW, kVisible | WS_TABSTOP | BS_OWNERDRAW, 120, 192, 264, 32, L"登      录", kIdLogin},
}};

// Labels in front of the two boxes; they carry no design name of the table.
void drawFieldCaptions(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme::kTextMuted);
  const win::SelectObjectScope font(dc, theme::uiFont(15));
  RECT account{40, 72, 112, 97};
  RECT password{40, 112, 112, 136};
  DrawTextW(dc, L"账号", -1, &account, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  DrawTextW(dc, L"密码", -1, &password, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

void paintWindow(HWND window) {
  win::PaintDc dc(window);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc.get(), &client, shell::brushOf(theme::kWindowBack));
  drawFieldCaptions(dc.get());
  // A hairline around the whole window, under the shadow.
  FrameRect(dc.get(), &client, shell::brushOf(theme::kLine));
}

void drawLoginButton(const DRAWITEMSTRUCT& item) {
  const bool pressed = item.itemState & ODS_SELECTED;
  const COLORREF fill = pressed ? theme::kAccentPressed : shell::isHot(item.hwndItem) ? theme::kAccentHot : theme::kAccent;
  const HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, shell::brushOf(theme::kWindowBack));
  {
    const win::SelectObjectScope brush(dc, shell::brushOf(fill));
    const win::SelectObjectScope pen(dc, GetStockObject(NULL_PEN));
    RoundRect(dc, item.rcItem.left, item.rcItem.top, item.rcItem.right + 1, item.rcItem.bottom + 1, 6, 6);
  }
  wchar_t text[32] = {};
  GetWindowTextW(item.hwndItem, text, 32);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  const win::SelectObjectScope font(dc, theme::uiFont(16, FW_SEMIBOLD));
  RECT r = item.rcItem;
  DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(dc, &r);
  }
}

void onDrawItem(const DRAWITEMSTRUCT& item) {
  const HWND strip = GetParent(item.hwndItem);
  switch (item.CtlID) {
    case kIdLogin: drawLoginButton(item); break;
    case kIdClose:
      FillRect(item.hDC, &item.rcItem, shell::brushOf(shell::backgroundOf(strip)));
      shell::drawGlyph(item.hDC, shell::Glyph::Close, shell::isHot(item.hwndItem), 0, 0);
      break;
    case kIdIcon:
      FillRect(item.hDC, &item.rcItem, shell::brushOf(shell::backgroundOf(strip)));
      shell::drawGlyph(item.hDC, shell::Glyph::ProductIcon, false, 0, 0);
      break;
    default: break;
  }
}

LRESULT onCtlColor(HWND window, HDC dc, HWND child) {
  const int id = GetDlgCtrlID(child);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, id == kIdForgot ? kLinkColor : theme::kText);
  if (id == kIdAccount || id == kIdPassword) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, theme::kWindowBack);
  }
  const HWND parent = GetParent(child);
  return reinterpret_cast<LRESULT>(shell::brushOf(parent == window ? theme::kWindowBack : shell::backgroundOf(parent)));
}

void onCommand(HWND window, int id, int code) {
  switch (id) {
    case kIdLogin: performLogin(window); break;
    case kIdClose: closeWindow(window); break;
    case kIdRemember:
      if (code == BN_CLICKED) onRememberClicked(window);
      break;
    case kIdAutoLogin:
      if (code == BN_CLICKED) onAutoLoginClicked(window);
      break;
    case kIdForgot:
      if (code == STN_CLICKED) onForgotPressed(window);
      break;
    default: break;
  }
}

// The pointer over a child: hover and press of the 忘记密码 link.
bool onSetCursor(HWND window, HWND child, UINT mouseMessage) {
  if (GetDlgCtrlID(child) != kIdForgot) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  if (mouseMessage == WM_MOUSEMOVE) onForgotHover(window);
  if (mouseMessage == WM_LBUTTONDOWN) onForgotPressed(window);
  return true;
}

LRESULT CALLBACK loginWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: paintWindow(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_DRAWITEM: onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: return onCtlColor(window, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_COMMAND: onCommand(window, LOWORD(wp), HIWORD(wp)); return 0;
    case WM_TIMER:
      if (wp == kAutoLoginTimerId) onAutoLoginTick(window);
      return 0;
    case WM_SETCURSOR:
      if (onSetCursor(window, reinterpret_cast<HWND>(wp), HIWORD(lp))) return TRUE;
      break;
    case WM_CLOSE: closeWindow(window); return 0;
    default: break;
  }
  return DefWindowProcW(window, msg, wp, lp);
}

bool registerLoginWindowClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kLoginWindowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = loginWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kLoginWindowClass;
  return RegisterClassExW(&wc) != 0;
}

POINT centredOver(HWND owner) {
  RECT area{};
  if (!owner || !GetWindowRect(owner, &area) || IsIconic(owner)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left + (area.right - area.left - kLoginWindowWidth) / 2,
          area.top + (area.bottom - area.top - kLoginWindowHeight) / 2};
}

void dressControls(HWND window) {
  const HWND strip = control(window, kIdTitleStrip);
  shell::setPanelLook(strip, theme::kPageBack, shell::kEdgeBottom);
  shell::makeResizeSurface(strip, {0, false, true});  // pressing the strip drags the window
  SendMessageW(control(window, kIdTitle), WM_SETFONT, reinterpret_cast<WPARAM>(theme::uiFont(16, FW_SEMIBOLD)), FALSE);
  for (const int id : {kIdClose, kIdLogin}) shell::makeHoverAware(control(window, id));
  for (const int id : {kIdAccount, kIdPassword}) {
    SendMessageW(control(window, id), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(6, 6));
    shell::AttachFrameBorder(control(window, id), theme::kFrameBorder);
  }
  SendMessageW(control(window, kIdPassword), EM_SETPASSWORDCHAR, L'*', 0);
  const HFONT linkFont = theme::uiFont(kLinkFontHeight);
  SendMessageW(control(window, kIdForgot), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), FALSE);
}

}  // namespace

HWND createLoginWindow(HWND owner) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!registerLoginWindowClass(instance) || !shell::registerPanelClass(instance)) return nullptr;
  const POINT at = centredOver(owner);
  const HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kLoginWindowClass, kLoginWindowTitle,
                                      WS_POPUP | WS_CLIPCHILDREN, at.x, at.y, kLoginWindowWidth,
                                      kLoginWindowHeight, owner, nullptr, instance, nullptr);
  if (!window) return nullptr;
  win::createControls(window, kControls, theme::uiFont(15));
  dressControls(window);
  ShowWindow(window, SW_SHOW);
  shell::AttachShadow(window, theme::kShadow, 4);
  onOpened(window);
  SetFocus(control(window, kIdAccount));
  return window;
}

void openLoginWindow(HWND mainWindow) {
  const HWND window = createLoginWindow(mainWindow);
  if (!window) return;
  if (mainWindow) EnableWindow(mainWindow, FALSE);
  MSG msg;
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // let the outer loop end too
      break;
    }
    if (got < 0) break;
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (IsWindow(window)) closeWindow(window);
  if (takeForgotPasswordRequest() && gForgotPasswordHandler) gForgotPasswordHandler(mainWindow);
}

void setForgotPasswordHandler(ForgotPasswordHandler handler) { gForgotPasswordHandler = handler; }

}  // namespace molan::account
