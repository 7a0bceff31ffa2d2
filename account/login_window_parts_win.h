#pragma once
// Pieces of LoginWindow shared by its files: control ids, the window's own
// state, and the handlers the window procedure dispatches to.
#include <windows.h>

#include "link/bytes.h"

namespace molan::account::login {

// The login button is IDOK and the close button IDCANCEL, so that Enter logs
// in and Escape closes, as in any dialog.
enum ControlId : int {
  kIdLogin = IDOK,
  kIdClose = IDCANCEL,
  kIdTitleStrip = 100,
  kIdIcon,
  kIdTitle,
  kIdAccount = 200,
  kIdPassword,
  kIdRemember,
  kIdAutoLogin,
  kIdForgot,
};

inline constexpr UINT_PTR kAutoLoginTimerId = 1;  // 时钟_延时登录
inline constexpr UINT kAutoLoginDelayMs = 2000;
inline constexpr COLORREF kLinkColor = RGB(0, 136, 255);
inline constexpr int kLinkFontHeight = 13;  // "忘记密码" fits its 56 pixels

HWND control(HWND window, int id);
Bytes controlText(HWND window, int id);
bool isChecked(HWND window, int id);
void setChecked(HWND window, int id, bool checked);

// Handlers (login_actions_win.cc).
void onOpened(HWND window);
void performLogin(HWND window);
void onRememberClicked(HWND window);
void onAutoLoginClicked(HWND window);
void onAutoLoginTick(HWND window);
void onForgotHover(HWND window);
void onForgotPressed(HWND window);
// Stops the auto-login timer, gives the owner back its input and destroys the window.
void closeWindow(HWND window);

// Set when 透明标签_忘记密码 closed the window, so that the password recovery
// window follows once the login window's modal loop has ended; taking it resets it.
void requestForgotPassword();
bool takeForgotPasswordRequest();

}  // namespace molan::account::login
