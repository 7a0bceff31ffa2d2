#pragma once
// LoginWindow: the modal login dialog owned by MainWindow, and the account
// subsystem's hooks into the rest of the client.
#include <windows.h>

namespace molan::account {

inline constexpr wchar_t kLoginWindowClass[] = L"MoLan.LoginWindow";
inline constexpr wchar_t kLoginWindowTitle[] = L"登录";
inline constexpr int kLoginWindowWidth = 427;
inline constexpr int kLoginWindowHeight = 249;

// Opens LoginWindow as a modal dialog owned by `mainWindow` and returns when
// it has closed. When 自动登录 is "是" the window logs in by itself 2 s later.
void openLoginWindow(HWND mainWindow);

// Creates and shows the window, centred over its owner, with its controls,
// shadow, check boxes and remembered values, without running a modal loop
// (openLoginWindow runs one around it). Null when it cannot be created.
HWND createLoginWindow(HWND owner);

// Called once at program entry, before the server link starts: binds the
// title bar's 超级按钮_登录 to openLoginWindow and registers the login-reply
// handler with the reply dispatch.
void registerAccounts();

// What 透明标签_忘记密码 opens after closing the login window (the password
// recovery window binds itself here). Called with MainWindow.
using ForgotPasswordHandler = void (*)(HWND mainWindow);
void setForgotPasswordHandler(ForgotPasswordHandler handler);

}  // namespace molan::account
