// The login-reply handler, run on a second thread as the network library
// runs it, against a main window built from the shell's own control table.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <thread>

#include "account/login_state.h"
#include "account/login_window_win.h"
#include "account/login_window_wintest_support.h"
#include "app/control_names_win.h"
#include "app/control_table_win.h"
#include "app/theme_win.h"
#include "link/frame.h"
#include "link/reply_dispatch.h"
#include "link/reply_mailbox.h"
#include "shell/canvas_win.h"
#include "shell/main_window_controls_win.h"
#include "shell/main_window_win.h"
#include "shell/panel_win.h"

namespace molan::account {
namespace {

using testing::pumpMessages;

class LoginReplyTest : public testing::LoginWindowFixture {
 protected:
  void SetUp() override {
    LoginWindowFixture::SetUp();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = shell::kMainWindowClass;
    RegisterClassW(&wc);
    shell::registerPanelClass(instance);
    win::registerCanvasClass(instance);
    main_ = CreateWindowExW(0, shell::kMainWindowClass, shell::kMainWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0, 1280,
                            728, nullptr, nullptr, instance, nullptr);
    ASSERT_TRUE(main_);
    ASSERT_TRUE(win::createControls(main_, shell::mainWindowControls(), win::theme::uiFont(14)));
    registerAccounts();
    clearLoginState();
    setLoginPassed(false);
    replyMailbox().clear();
  }
  void TearDown() override {
    DestroyWindow(main_);
    clearLoginState();
    LoginWindowFixture::TearDown();
  }

  // Hands the reply to the dispatch on another thread and keeps this (window)
  // thread's messages flowing until the handler has finished.
  void deliver(const Bytes& reply) {
    replyMailbox().clear();
    bool done = false;
    std::thread network([&] {
      replyDispatch().dispatch(reply);
      done = true;
    });
    while (!replyMailbox().holds("登录返回")) pumpMessages(10);
    network.join();
    EXPECT_TRUE(done);
  }

  HWND control(const wchar_t* name) const { return named(main_, name); }
  RECT place(const wchar_t* name) const {
    RECT r{};
    GetWindowRect(control(name), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control(name)), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  HWND main_ = nullptr;
};

const Bytes kPrefix = "青柯<||||>墨澜<||||>登录返回<||||>";

TEST_F(LoginReplyTest, SuccessShowsTheAccountInTheTitleBar) {
  ASSERT_FALSE(IsWindowVisible(control(L"外形框_账户")));
  deliver(kPrefix + "账号密码正确<||||>abc12345<||||>120<||||>");
  EXPECT_TRUE(loginPassed());
  EXPECT_EQ(loginState().account, "abc12345");
  EXPECT_EQ(loginState().balance, 120);
  EXPECT_TRUE(replyMailbox().holds("登录返回"));
  EXPECT_FALSE(IsWindowVisible(control(L"超级按钮_注册")));
  EXPECT_FALSE(IsWindowVisible(control(L"超级按钮_登录")));
  EXPECT_TRUE(IsWindowVisible(control(L"外形框_账户")));
  const RECT box = place(L"外形框_账户");
  EXPECT_EQ(box.top, 28);
  EXPECT_EQ(box.right - box.left, 24 + 64 + 40);
  EXPECT_EQ(box.left, 1112 - 8 - 16 - 8 - 16 - 8 - 128);
  const RECT label = place(L"透明标签_账户");
  EXPECT_EQ(label.right - label.left, 64);
  EXPECT_EQ(windowText(control(L"透明标签_账户")), L"abc12345");
  EXPECT_TRUE(catcher_.boxes().empty());

  // A second success overwrites the state and lays the box out again.
  deliver(kPrefix + "账号密码正确<||||>用户甲乙丙<||||>首次登录<||||>7<||||>");
  EXPECT_EQ(loginState().account, "用户甲乙丙");
  EXPECT_EQ(loginState().balance, 7);
  EXPECT_EQ(place(L"透明标签_账户").right - place(L"透明标签_账户").left, 80);
  EXPECT_EQ(place(L"外形框_账户").right, 1112 - 56);
}

TEST_F(LoginReplyTest, FailuresShowTheirMessageAndChangeNothing) {
  struct Case {
    const char* status;
    const wchar_t* text;  // nullptr: no message
    const wchar_t* title;
  };
  const Case cases[] = {
      {"服务器网络繁忙", L"服务器网络繁忙，请稍后重试", L"提示"},
      {"账号不存在", L"账号不存在", L"警告"},
      {"密码错误", L"密码错误", L"警告"},
      {"账号已被登录", L"账号已被登录", L"警告"},
      {"账号已冻结", nullptr, nullptr},
  };
  setLoginState({"before00", 5});
  size_t shown = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    setLoginPassed(true);
    deliver(kPrefix + c.status + "<||||>");
    EXPECT_FALSE(loginPassed());
    if (c.text) {
      ASSERT_TRUE(catcher_.waitFor(++shown, 3000));
      EXPECT_EQ(catcher_.boxes().back().text, c.text);
      EXPECT_EQ(catcher_.boxes().back().title, c.title);
    }
    EXPECT_EQ(catcher_.boxes().size(), shown);
    EXPECT_EQ(loginState().account, "before00");
    EXPECT_TRUE(IsWindowVisible(control(L"超级按钮_登录")));
    EXPECT_FALSE(IsWindowVisible(control(L"外形框_账户")));
  }
}

}  // namespace
}  // namespace molan::account
