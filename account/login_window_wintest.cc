// LoginWindow as a real window under Wine, against a real 配置.ini.
#include "account/login_window_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "account/login_window_parts_win.h"
#include "account/login_window_wintest_support.h"

namespace molan::account {
namespace {

using testing::pumpMessages;

using LoginWindowTest = testing::LoginWindowFixture;

struct Place {
  const wchar_t* name;
  const wchar_t* cls;
  int x, y, w, h;
  const wchar_t* text;
};

TEST_F(LoginWindowTest, OpensWithEveryControlOfTheTable) {
  const HWND w = open();
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 427);
  EXPECT_EQ(r.bottom - r.top, 249);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_CAPTION, 0);  // frameless
  EXPECT_EQ(windowText(w), L"登录");
  const Place places[] = {
      {L"外形框_标题栏1", L"MoLan.Panel", 0, 0, 427, 48, L""},
      {L"图形按钮_关闭", L"Button", 400, 16, 16, 16, L""},
      {L"透明标签_标题", L"Static", 52, 12, 120, 24, L"登录"},
      {L"编辑框_账号", L"Edit", 120, 72, 264, 25, L""},
      {L"编辑框_密码", L"Edit", 120, 112, 264, 24, L""},
      {L"选择框_记住密码", L"Button", 120, 152, 88, 24, L"记住密码"},
      {L"选择框_自动登录", L"Button", 216, 152, 88, 24, L"自动登录"},
      {L"透明标签_忘记密码", L"Static", 328, 152, 56, 24, L"忘记密码"},
      {L"超级按钮_登录", L"Button", 120, 192, 264, 32, L"登      录"},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    const HWND c = named(w, p.name);
    ASSERT_TRUE(c);
    wchar_t cls[64] = {};
    GetClassNameW(c, cls, 64);
    EXPECT_EQ(_wcsicmp(cls, p.cls), 0) << cls;
    RECT place{};
    GetWindowRect(c, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(c), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, p.x);
    EXPECT_EQ(place.top, p.y);
    EXPECT_EQ(place.right - place.left, p.w);
    EXPECT_EQ(place.bottom - place.top, p.h);
    EXPECT_EQ(windowText(c), p.text);
    EXPECT_TRUE(IsWindowVisible(c));
  }
  EXPECT_EQ(SendMessageW(named(w, L"编辑框_密码"), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(SendMessageW(named(w, L"编辑框_账号"), EM_GETPASSWORDCHAR, 0, 0), 0);
  // The drop shadow of every dialog: a shadow window of colour 192,192,192 and size 4.
  const HWND shadow = static_cast<HWND>(GetPropW(w, L"Lumbra.WndShadow"));
  ASSERT_TRUE(IsWindow(shadow));
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(shadow, L"Lumbra.WndShadow.Color")), RGB(192, 192, 192));
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropW(shadow, L"Lumbra.WndShadow.Size")), 4u);
  // The template's "否": nothing checked, no auto-login armed.
  EXPECT_FALSE(checked(w, L"选择框_记住密码"));
  EXPECT_FALSE(checked(w, L"选择框_自动登录"));
  EXPECT_FALSE(KillTimer(w, login::kAutoLoginTimerId));
}

TEST_F(LoginWindowTest, CheckBoxesWriteTheSettingsAtOnce) {
  const HWND w = open();
  type(w, L"编辑框_账号", L"abc12345");
  type(w, L"编辑框_密码", L"Passw0rd");
  const Bytes account = plainSealed("abc12345");
  const Bytes password = plainSealed("Passw0rd");

  click(w, L"选择框_自动登录");
  EXPECT_TRUE(checked(w, L"选择框_记住密码"));
  EXPECT_EQ(settingsFile(), configBytes("是", "是", account, password));
  EXPECT_TRUE(KillTimer(w, login::kAutoLoginTimerId) == FALSE);  // checking does not arm the timer

  click(w, L"选择框_自动登录");
  EXPECT_EQ(settingsFile(), configBytes("是", "否", account, password));

  click(w, L"选择框_自动登录");
  click(w, L"选择框_记住密码");  // unchecking forgets everything and unchecks 自动登录
  EXPECT_FALSE(checked(w, L"选择框_自动登录"));
  EXPECT_EQ(settingsFile(), configBytes("否", "否", "", ""));

  click(w, L"选择框_记住密码");
  EXPECT_EQ(settingsFile(), configBytes("是", "否", account, password));
  EXPECT_TRUE(catcher_.boxes().empty());
}

TEST_F(LoginWindowTest, CheckingWithAnEmptyAccountWritesOnlyAutoLogin) {
  const HWND w = open();
  type(w, L"编辑框_密码", L"Passw0rd");
  click(w, L"选择框_自动登录");
  ASSERT_TRUE(catcher_.waitFor(1, 5000));
  EXPECT_EQ(catcher_.boxes()[0].text, L"账号不能为空");
  EXPECT_EQ(catcher_.boxes()[0].title, L"警告");
  EXPECT_TRUE(checked(w, L"选择框_记住密码"));
  EXPECT_EQ(settingsFile(), configBytes("否", "是", "", ""));
}

TEST_F(LoginWindowTest, OpensWithTheRememberedValues) {
  writeSettings(configBytes("是", "否", plainSealed("abc12345"), plainSealed("Passw0rd")));
  const HWND w = open();
  EXPECT_TRUE(checked(w, L"选择框_记住密码"));
  EXPECT_FALSE(checked(w, L"选择框_自动登录"));
  EXPECT_EQ(windowText(named(w, L"编辑框_账号")), L"abc12345");
  EXPECT_EQ(windowText(named(w, L"编辑框_密码")), L"Passw0rd");
  EXPECT_FALSE(KillTimer(w, login::kAutoLoginTimerId));
  closeAll();
  // Remembered values are not filled in while 记住密码 is not "是".
  writeSettings(configBytes("否", "否", plainSealed("abc12345"), plainSealed("Passw0rd")));
  const HWND again = open();
  EXPECT_EQ(windowText(named(again, L"编辑框_账号")), L"");
}

TEST_F(LoginWindowTest, AutoLoginRunsTheLoginActionAfterTwoSeconds) {
  // No remembered account: the action's first check shows the timer ran it.
  writeSettings(configBytes("是", "是", "", ""));
  const HWND w = open();
  EXPECT_TRUE(checked(w, L"选择框_自动登录"));
  pumpMessages(1500);
  EXPECT_TRUE(catcher_.boxes().empty());
  ASSERT_TRUE(catcher_.waitFor(1, 3000));
  EXPECT_EQ(catcher_.boxes()[0].text, L"账号不能为空");
  pumpMessages(2500);
  EXPECT_EQ(catcher_.boxes().size(), 1u);  // once per opening
}

TEST_F(LoginWindowTest, UncheckingOrClosingWithinTheDelayPreventsAutoLogin) {
  writeSettings(configBytes("是", "是", "", ""));
  const HWND unchecked = open();
  pumpMessages(500);
  click(unchecked, L"选择框_自动登录");
  EXPECT_EQ(settingsFile(), configBytes("是", "否", "", ""));
  writeSettings(configBytes("是", "是", "", ""));
  const HWND closed = open();
  pumpMessages(500);
  click(closed, L"图形按钮_关闭");
  EXPECT_FALSE(IsWindow(closed));
  pumpMessages(3000);
  // With an empty account the login action would have said so.
  EXPECT_TRUE(catcher_.boxes().empty());
  EXPECT_TRUE(IsWindow(unchecked));
}

TEST_F(LoginWindowTest, EmptyAccountIsRefusedAndNothingWritten) {
  const HWND w = open();
  const Bytes before = settingsFile();
  click(w, L"超级按钮_登录");
  ASSERT_TRUE(catcher_.waitFor(1, 5000));
  EXPECT_EQ(catcher_.boxes()[0].text, L"账号不能为空");
  EXPECT_EQ(catcher_.boxes()[0].title, L"警告");
  EXPECT_EQ(settingsFile(), before);
  EXPECT_TRUE(IsWindow(w));
}

TEST_F(LoginWindowTest, NoLinkMeansNothingIsSentAndNothingShown) {
  const HWND w = open();
  type(w, L"编辑框_账号", L"abc12345");
  click(w, L"超级按钮_登录");
  pumpMessages(300);
  EXPECT_TRUE(catcher_.boxes().empty());
  EXPECT_TRUE(IsWindow(w));
}

TEST_F(LoginWindowTest, ForgotPasswordLinkUnderlinesOnHoverAndClosesOnPress) {
  const HWND w = open();
  const HWND link = named(w, L"透明标签_忘记密码");
  EXPECT_FALSE(underlined(link));
  SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(underlined(link));
  SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(underlined(link));  // and stays so
  SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(LoginWindowTest, CloseButtonClosesAndStopsTheTimer) {
  writeSettings(configBytes("是", "是", plainSealed("abc12345"), ""));
  const HWND w = open();
  click(w, L"图形按钮_关闭");
  EXPECT_FALSE(IsWindow(w));
  pumpMessages(2500);
  EXPECT_TRUE(catcher_.boxes().empty());
}

}  // namespace
}  // namespace molan::account
