// The login-reply handler (network thread) and the account subsystem's
// registration with the main window and the reply dispatch.
#include <windows.h>

#include "account/account_box_layout.h"
#include "account/login_reply.h"
#include "account/login_state.h"
#include "account/login_window_win.h"
#include "app/control_names_win.h"
#include "app/message_box_win.h"
#include "app/window_thread_win.h"
#include "link/reply_dispatch.h"
#include "link/reply_mailbox.h"
#include "shell/main_window_win.h"

namespace molan::account {
namespace {

// A control's place in its parent's client coordinates.
RECT placeInParent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
int widthOf(HWND control) {
  const RECT r = placeInParent(control);
  return r.right - r.left;
}

BOOL CALLBACK findOwnMainWindow(HWND hwnd, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (process != GetCurrentProcessId() || wcscmp(cls, shell::kMainWindowClass) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

HWND mainWindow() {
  HWND found = nullptr;
  EnumWindows(findOwnMainWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The title bar after a login: 注册 and 登录 give way to the account box.
// Runs on the window thread.
void showAccountInTitleBar(HWND main, const LoginGrant& grant) {
  auto named = [main](const wchar_t* name) { return win::findControlByName(main, name); };
  const HWND box = named(L"外形框_账户");
  const HWND label = named(L"透明标签_账户");
  const HWND picture = named(L"图片框_账户");
  const HWND menu = named(L"图形按钮_综合");
  if (!box || !label || !picture || !menu) return;
  ShowWindow(named(L"超级按钮_注册"), SW_HIDE);
  ShowWindow(named(L"超级按钮_登录"), SW_HIDE);
  const AccountBoxLayout l = layoutAccountBox(grant.account.size(), widthOf(picture), placeInParent(menu).left,
                                              widthOf(named(L"图形按钮_消息")), widthOf(named(L"图形按钮_分享")));
  const RECT labelPlace = placeInParent(label);
  SetWindowPos(label, nullptr, 0, 0, l.labelWidth, labelPlace.bottom - labelPlace.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT boxPlace = placeInParent(box);
  SetWindowPos(box, nullptr, l.boxLeft, l.boxTop, l.boxWidth, boxPlace.bottom - boxPlace.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  win::setWindowTextGbk(label, grant.account);
  ShowWindow(box, SW_SHOW);
  InvalidateRect(GetParent(box), nullptr, TRUE);
}

void onLoginReply(const Bytes& reply) {
  const LoginStatus status = loginStatusOf(reply);
  if (const auto message = loginStatusMessage(status)) {
    win::showMessage(message->text, message->title,
                     message->warning ? win::MessageIcon::Warning : win::MessageIcon::Information);
  }
  setLoginPassed(status == LoginStatus::Passed);
  if (status == LoginStatus::Passed) {
    const LoginGrant grant = loginGrantOf(reply);
    win::runOnWindowThread([&grant] {
      if (const HWND main = mainWindow()) showAccountInTitleBar(main, grant);
    });
    setLoginState({grant.account, grant.balance});
  }
  replyMailbox().set(kLoginReplyName);
}

void onTitleBarLogin(HWND main, HWND) { openLoginWindow(main); }

}  // namespace

void registerAccounts() {
  shell::setCommandHandler(L"超级按钮_登录", onTitleBarLogin);
  replyDispatch().setHandler(kLoginReplyName, onLoginReply);
}

}  // namespace molan::account
