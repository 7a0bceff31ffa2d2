// LoginWindow's handlers: opening, the login action, the two check boxes, the
// auto-login timer, closing and the 忘记密码 link.
#include <atomic>

#include "account/login_reply.h"
#include "account/login_state.h"
#include "account/login_window_parts_win.h"
#include "account/machine_code_win.h"
#include "account/remembered_text.h"
#include "app/control_names_win.h"
#include "app/message_box_win.h"
#include "app/theme_win.h"
#include "app/user_config.h"
#include "link/reply_mailbox.h"
#include "link/reply_waiter.h"
#include "link/server_link_win.h"

namespace molan::account::login {
namespace {

constexpr wchar_t kBusyProp[] = L"MoLan.LoginBusy";
constexpr wchar_t kUnderlinedProp[] = L"MoLan.Underlined";
std::atomic<bool> gForgotRequested{false};

constexpr BytesView kRememberKey = "记住密码";
constexpr BytesView kAutoLoginKey = "自动登录";
constexpr BytesView kAccountKey = "记忆账户";
constexpr BytesView kPasswordKey = "记忆密码";

Bytes readSetting(BytesView key) { return readConfigValue(userConfigPath(), key); }
bool writeSetting(BytesView key, BytesView value) { return writeConfigValue(userConfigPath(), key, value); }

// A check box's write: on failure "设置失败", and the handler goes on.
void writeOrWarn(BytesView key, BytesView value) {
  if (!writeSetting(key, value)) win::showWarning("设置失败");
}

void stopAutoLogin(HWND window) { KillTimer(window, kAutoLoginTimerId); }

// Steps 5 and 6 of a passed login: remember the texts that were sent, then close.
void finishLogin(HWND window, BytesView account, BytesView password) {
  if (isYes(readSetting(kRememberKey))) {
    if (!writeSetting(kAccountKey, sealRememberedText(account))) win::showWarning("设置记忆账户失败");
    if (!writeSetting(kPasswordKey, sealRememberedText(password))) {
      win::showWarning("设置记忆密码失败");
      return;
    }
  }
  if (IsWindow(window)) closeWindow(window);
}

}  // namespace

HWND control(HWND window, int id) {
  if (const HWND direct = GetDlgItem(window, id)) return direct;
  return GetDlgItem(GetDlgItem(window, kIdTitleStrip), id);  // children of the title strip
}

Bytes controlText(HWND window, int id) { return win::windowTextGbk(control(window, id)); }
bool isChecked(HWND window, int id) { return SendMessageW(control(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
void setChecked(HWND window, int id, bool checked) {
  SendMessageW(control(window, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void onOpened(HWND window) {
  setChecked(window, kIdRemember, isYes(readSetting(kRememberKey)));
  setChecked(window, kIdAutoLogin, isYes(readSetting(kAutoLoginKey)));
  if (isChecked(window, kIdRemember)) {
    win::setWindowTextGbk(control(window, kIdAccount), openRememberedText(readSetting(kAccountKey)));
    win::setWindowTextGbk(control(window, kIdPassword), openRememberedText(readSetting(kPasswordKey)));
  }
  if (isChecked(window, kIdAutoLogin)) SetTimer(window, kAutoLoginTimerId, kAutoLoginDelayMs, nullptr);
}

void performLogin(HWND window) {
  // One login at a time per window: a second press while the first one waits
  // for its reply is ignored.
  if (GetPropW(window, kBusyProp)) return;
  const Bytes account = controlText(window, kIdAccount);
  const Bytes password = controlText(window, kIdPassword);
  if (account.empty()) {
    win::showWarning("账号不能为空");
    return;
  }
  if (!ServerLink::send(buildLoginRequest(account, password, computeMachineCode()))) return;
  SetPropW(window, kBusyProp, reinterpret_cast<HANDLE>(1));
  const bool answered = ReplyWaiter::wait(kLoginReplyName, kLoginWaitPolls);
  if (IsWindow(window)) RemovePropW(window, kBusyProp);
  if (!answered) {
    win::showWarning("登录未响应");
    replyMailbox().clear();
    return;
  }
  replyMailbox().clear();
  if (!loginPassed()) return;
  finishLogin(window, account, password);
}

void onAutoLoginClicked(HWND window) {
  const bool checked = isChecked(window, kIdAutoLogin);
  writeOrWarn(kAutoLoginKey, checked ? "是" : "否");
  if (checked) {
    setChecked(window, kIdRemember, true);
    onRememberClicked(window);
  } else {
    stopAutoLogin(window);
  }
}

void onRememberClicked(HWND window) {
  if (controlText(window, kIdAccount).empty()) {
    win::showWarning("账号不能为空");
    return;
  }
  const bool checked = isChecked(window, kIdRemember);
  writeOrWarn(kRememberKey, checked ? "是" : "否");
  if (!checked) {
    writeOrWarn(kAccountKey, "");
    writeOrWarn(kPasswordKey, "");
    setChecked(window, kIdAutoLogin, false);
    onAutoLoginClicked(window);
    return;
  }
  writeOrWarn(kAccountKey, sealRememberedText(controlText(window, kIdAccount)));
  writeOrWarn(kPasswordKey, sealRememberedText(controlText(window, kIdPassword)));
}

void onAutoLoginTick(HWND window) {
  stopAutoLogin(window);  // fires once per opening
  performLogin(window);
}

void onForgotHover(HWND window) {
  const HWND link = control(window, kIdForgot);
  if (GetPropW(link, kUnderlinedProp)) return;
  SetPropW(link, kUnderlinedProp, reinterpret_cast<HANDLE>(1));
  const HFONT underlined = win::theme::uiFont(kLinkFontHeight, FW_NORMAL, true);
  SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(underlined), TRUE);
}

void onForgotPressed(HWND window) {
  requestForgotPassword();
  closeWindow(window);
}

void closeWindow(HWND window) {
  stopAutoLogin(window);
  RemovePropW(control(window, kIdForgot), kUnderlinedProp);
  RemovePropW(window, kBusyProp);
  // Give the owner its input back before the window goes, so activation
  // returns to it rather than to another program.
  if (const HWND owner = GetWindow(window, GW_OWNER)) EnableWindow(owner, TRUE);
  DestroyWindow(window);
}

void requestForgotPassword() { gForgotRequested = true; }
bool takeForgotPasswordRequest() { return gForgotRequested.exchange(false); }

}  // namespace molan::account::login
