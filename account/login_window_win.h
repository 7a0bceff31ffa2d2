#pragma once
// LoginWindow: the modal login dialog owned by MainWindow, and the account
// subsystem's hooks into the rest of the client.
#include <windows.h>

namespace molan::account {

// Opens LoginWindow as a modal dialog owned by `mainWindow` and returns when
// it has closed. When 自动登录 is "是" the window logs in by itself 2 s later.
void openLoginWindow(HWND mainWindow);

// Called once at program entry, before the server link starts: binds the
// title bar's 超级按钮_登录 to openLoginWindow and registers the login-reply
// handler with the reply dispatch.
void registerAccounts();

}  // namespace molan::account
