#include "account/login_window_wintest_support.h"

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>

#include "account/login_window_win.h"
#include "account/remembered_text.h"
#include "app/control_names_win.h"
#include "app/gbk_win.h"
#include "app/user_config.h"
#include "app/win_handles.h"
#include "app/window_thread_win.h"
#include "link/build_settings.h"
#include "link/link_cipher.h"

namespace molan::account::testing {

void LoginWindowFixture::SetUpTestSuite() {
  static bool started = false;
  if (started) return;
  started = true;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  static Gdiplus::GdiplusStartupInput input;
  static ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  win::initWindowThread();
}

void LoginWindowFixture::SetUp() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  folder_ = std::wstring(temp) + L"墨澜登录测试-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount());
  ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  file_ = folder_ + L"\\配置.ini";
  writeSettings(kUserConfigTemplate);
  setUserConfigPath(win::toGbk(file_));
}

void LoginWindowFixture::TearDown() {
  closeAll();
  pumpMessages(50);
  DeleteFileW(file_.c_str());
  RemoveDirectoryW(folder_.c_str());
}

HWND LoginWindowFixture::open() {
  const HWND w = createLoginWindow(nullptr);
  EXPECT_TRUE(w);
  windows_.push_back(w);
  pumpMessages(50);
  return w;
}

void LoginWindowFixture::closeAll() {
  for (const HWND w : windows_) {
    if (IsWindow(w)) DestroyWindow(w);
  }
  windows_.clear();
}

HWND LoginWindowFixture::named(HWND root, const wchar_t* name) { return win::findControlByName(root, name); }

std::wstring LoginWindowFixture::windowText(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetWindowTextW(hwnd, buffer, 256);
  return buffer;
}

bool LoginWindowFixture::checked(HWND window, const wchar_t* name) const {
  return SendMessageW(named(window, name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void LoginWindowFixture::click(HWND window, const wchar_t* name) const {
  const HWND c = named(window, name);
  ASSERT_TRUE(c) << "no control";
  SendMessageW(c, BM_CLICK, 0, 0);
}

void LoginWindowFixture::type(HWND window, const wchar_t* name, const wchar_t* text) const {
  SetWindowTextW(named(window, name), text);
}

bool LoginWindowFixture::underlined(HWND control) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  return font && GetObjectW(font, sizeof(lf), &lf) && lf.lfUnderline;
}

Bytes LoginWindowFixture::plainSealed(BytesView text) {
  const Bytes sealed = LinkCipher::apply(text);
  EXPECT_TRUE(rawFormHolds(sealed));
  EXPECT_EQ(sealRememberedText(text), sealed);
  return sealed;
}

Bytes LoginWindowFixture::configBytes(BytesView remember, BytesView autoLogin, BytesView account, BytesView password) {
  Bytes out = "[用户配置]\r\n记住密码=";
  out.append(remember).append("\r\n自动登录=").append(autoLogin).append("\r\n记忆账户=").append(account);
  out.append("\r\n记忆密码=").append(password).append("\r\n");
  return out;
}

Bytes LoginWindowFixture::settingsFile() const {
  win::UniqueFile f(CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return "<missing>";
  Bytes data(GetFileSize(f.get(), nullptr), '\0');
  DWORD got = 0;
  ReadFile(f.get(), data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
  data.resize(got);
  return data;
}

void LoginWindowFixture::writeSettings(BytesView bytes) const {
  win::UniqueFile f(CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(f);
  DWORD wrote = 0;
  WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
}

}  // namespace molan::account::testing

namespace molan {

// The test program never starts the server link: no endpoint is needed.
const BuildSettings& buildSettings() {
  static const BuildSettings settings{"", "", 1};
  return settings;
}

}  // namespace molan
