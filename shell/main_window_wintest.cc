#include "shell/main_window_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/control_names_win.h"
#include "app/gbk_win.h"
#include "app/startup_win.h"
#include "shell/buttons_win.h"
#include "shell/main_window_controls_win.h"
#include "shell/main_window_names.h"
#include "shell/resize_bands.h"
#include "shell/shadow_win.h"
#include "shell/surface_win.h"
#include "shell/wintest_support_win.h"

// Start-up hooks of the application, recorded instead of run: the shell is
// tested without a network library, folders or a server.
namespace {
int gCreateCalls = 0;
bool gControlsExistedAtCreate = false;
}  // namespace

namespace molan::app {
void onMainWindowCreate(HWND mainWindow) {
  ++gCreateCalls;
  gControlsExistedAtCreate = win::findControlByName(mainWindow, L"超级按钮_登录") != nullptr &&
                             win::findControlByName(mainWindow, L"画板_通用_通用文字识别_高精度含位置_原图") != nullptr;
  shell::setupMainWindowShell(mainWindow);
}
bool onMainWindowClose(HWND) { return true; }
void onStartupTick(HWND) {}
}  // namespace molan::app

namespace molan::shell {
namespace {

using testing::pumpMessages;

struct Rect {
  int left, top, width, height;
};

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    window_ = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    pumpMessages();
  }
  static void TearDownTestSuite() {
    // Closing through WM_CLOSE (the close button ends the process).
    SendMessageW(window_, WM_CLOSE, 0, 0);
    pumpMessages();
  }
  void SetUp() override {
    ASSERT_NE(window_, nullptr);
    if (IsZoomed(window_)) ShowWindow(window_, SW_RESTORE);
    resizeTo(1280, 728);
  }
  static HWND control(const std::wstring& name) { return win::findControlByName(window_, name.c_str()); }
  // Place relative to the parent control, as the design gives it.
  static Rect placeOf(const std::wstring& name) {
    const HWND h = control(name);
    EXPECT_NE(h, nullptr) << "no control";
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  static void resizeTo(int w, int h) {
    SetWindowPos(window_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
    pumpMessages();
  }
  static void click(const std::wstring& name) {
    SendMessageW(control(name), BM_CLICK, 0, 0);
    pumpMessages();
  }
  static bool visible(const std::wstring& name) { return IsWindowVisible(control(name)) != FALSE; }
  static HWND window_;
};
HWND MainWindowTest::window_ = nullptr;

void expectPlace(const Rect& actual, const Rect& expected, const std::wstring& name) {
  EXPECT_EQ(actual.left, expected.left) << win::toGbk(name);
  EXPECT_EQ(actual.top, expected.top) << win::toGbk(name);
  EXPECT_EQ(actual.width, expected.width) << win::toGbk(name);
  EXPECT_EQ(actual.height, expected.height) << win::toGbk(name);
}

TEST_F(MainWindowTest, IsABorderlessWindowWithEveryDesignedControl) {
  EXPECT_EQ(gCreateCalls, 1);
  EXPECT_TRUE(gControlsExistedAtCreate) << "controls must exist before the start-up hook runs";
  wchar_t title[16] = {};
  GetWindowTextW(window_, title, 16);
  EXPECT_STREQ(title, L"墨澜");
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0u);
  for (const win::ControlSpec& spec : mainWindowControls()) {
    const HWND h = control(spec.name);
    ASSERT_NE(h, nullptr) << win::toGbk(spec.name);
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    EXPECT_EQ(lstrcmpiW(cls, spec.cls), 0) << win::toGbk(spec.name);
    wchar_t text[64] = {};
    GetWindowTextW(h, text, 64);
    EXPECT_STREQ(text, spec.text) << win::toGbk(spec.name);
    const HWND parent = spec.parent ? control(spec.parent) : window_;
    EXPECT_EQ(GetParent(h), parent) << win::toGbk(spec.name);
  }
  for (const wchar_t* v : kVariants) {
    const HWND edit = control(std::wstring(L"编辑框_通用_通用文字识别_") + v + L"_结果");
    const auto s = static_cast<DWORD>(GetWindowLongPtrW(edit, GWL_STYLE));
    EXPECT_TRUE(s & ES_MULTILINE);
    EXPECT_TRUE(s & WS_VSCROLL);
    EXPECT_NE(GetPropW(edit, kBorderProcProp), nullptr) << "result boxes are framed";
    EXPECT_NE(GetPropW(control(std::wstring(L"画板_通用_通用文字识别_") + v + L"_原图"), kBorderProcProp), nullptr);
  }
  EXPECT_TRUE(IsWindow(static_cast<HWND>(GetPropW(window_, kShadowProp))));
  EXPECT_FALSE(visible(L"外形框_账户")) << "the account area waits for a login";
  EXPECT_TRUE(visible(L"外形框_通用"));
  EXPECT_FALSE(visible(L"外形框_卡证"));
  EXPECT_TRUE(visible(L"图片框_通用文字识别"));
  EXPECT_FALSE(visible(L"图片框_办公文档识别"));
  EXPECT_EQ(TabCtrl_GetItemCount(control(L"选择夹_主")), 7);
  EXPECT_EQ(TabCtrl_GetItemCount(control(L"选择夹_通用")), 7);
  EXPECT_EQ(TabCtrl_GetItemCount(control(L"高级选择夹_通用文字识别")), 4);
}

TEST_F(MainWindowTest, LayoutAtTheMinimumSize) {
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.right - r.left, 1280);
  EXPECT_EQ(r.bottom - r.top, 728);
  const std::pair<const wchar_t*, Rect> places[] = {
      {L"外形框_标题栏", {0, 0, 1280, 80}},
      {L"图形按钮_综合", {1112, 32, 16, 16}},
      {L"图形按钮_消息", {1088, 32, 16, 16}},
      {L"图形按钮_分享", {1064, 32, 16, 16}},
      {L"超级按钮_登录", {1000, 32, 56, 16}},
      {L"超级按钮_注册", {968, 32, 56, 16}},
      {L"外形框_账户", {872, 48, 184, 24}},
      {L"图形按钮_最小化", {1160, 32, 16, 16}},
      {L"图形按钮_最大化", {1200, 32, 16, 16}},
      {L"图形按钮_关闭", {1240, 32, 16, 16}},
      {L"超级按钮_财务票据", {448, 28, 72, 24}},
      {L"选择夹_主", {0, 80, 1280, 648}},
      {L"外形框_通用_功能列表", {0, 0, 192, 648}},
      {L"选择夹_通用", {192, 0, 1088, 648}},
      {L"高级选择夹_通用文字识别", {0, 0, 1088, 648}},
      {L"超级按钮_网络图片文字识别", {32, 104, 160, 48}},
  };
  for (const auto& [name, place] : places) expectPlace(placeOf(name), place, name);
  for (const wchar_t* v : kVariants) {
    const std::wstring page = std::wstring(L"_通用_通用文字识别_") + v;
    expectPlace(placeOf(L"画板" + page + L"_原图"), {8, 72, 488, 568}, v);
    expectPlace(placeOf(L"外形框" + page + L"_按钮"), {512, 192, 64, 328}, v);
    expectPlace(placeOf(L"编辑框" + page + L"_结果"), {592, 72, 488, 568}, v);
    expectPlace(placeOf(L"透明标签" + page + L"_结果"), {592, 40, 96, 24}, v);
    expectPlace(placeOf(L"透明标签" + page + L"_原图"), {8, 40, 96, 24}, v);
    expectPlace(placeOf(L"超级按钮" + page + L"_识别"), {0, 144, 64, 32}, v);
  }
}

TEST_F(MainWindowTest, LayoutAt1600By1000AndSnapBackBelowTheMinimum) {
  resizeTo(1600, 1000);
  const std::pair<const wchar_t*, Rect> places[] = {
      {L"外形框_标题栏", {0, 0, 1600, 80}},       {L"图形按钮_综合", {1432, 32, 16, 16}},
      {L"超级按钮_注册", {1288, 32, 56, 16}},     {L"外形框_账户", {1192, 48, 184, 24}},
      {L"图形按钮_关闭", {1560, 32, 16, 16}},     {L"超级按钮_通用", {304, 28, 40, 24}},
      {L"选择夹_主", {0, 80, 1600, 920}},         {L"外形框_通用_功能列表", {0, 0, 192, 920}},
      {L"选择夹_通用", {192, 0, 1408, 920}},      {L"高级选择夹_通用文字识别", {0, 0, 1408, 920}},
      {L"画板_通用_通用文字识别_标准_原图", {8, 72, 648, 840}},
      {L"编辑框_通用_通用文字识别_高精度_结果", {752, 72, 648, 840}},
      {L"外形框_通用_通用文字识别_标准含位置_按钮", {672, 328, 64, 328}},
  };
  for (const auto& [name, place] : places) expectPlace(placeOf(name), place, name);

  resizeTo(1000, 600);
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.right - r.left, 1280);
  EXPECT_EQ(r.bottom - r.top, 728);
  expectPlace(placeOf(L"画板_通用_通用文字识别_标准_原图"), {8, 72, 488, 568}, L"canvas after the snap");
  MINMAXINFO info{};
  SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 1280);
  EXPECT_EQ(info.ptMinTrackSize.y, 728);
}

TEST_F(MainWindowTest, CategoryButtonsMoveTheUnderlineAndSwitchPages) {
  for (int i : {4, 5, 6, 1, 0}) {
    const std::wstring category = kCategories[static_cast<size_t>(i)];
    click(L"超级按钮_" + category);
    EXPECT_EQ(TabCtrl_GetCurSel(control(L"选择夹_主")), i);
    for (const wchar_t* c : kCategories) {
      EXPECT_EQ(visible(std::wstring(L"外形框_") + c), c == category) << win::toGbk(c);
      EXPECT_FALSE(isChecked(control(std::wstring(L"超级按钮_") + c)));
    }
    EXPECT_EQ(visible(L"外形框_通用_功能列表"), i == 0);
    EXPECT_EQ(visible(L"选择夹_通用"), i == 0);
  }
  click(L"超级按钮_通用");  // a second click on the current category selects again
  EXPECT_EQ(TabCtrl_GetCurSel(control(L"选择夹_主")), 0);
  EXPECT_TRUE(visible(L"画板_通用_通用文字识别_标准_原图"));
}

TEST_F(MainWindowTest, FunctionButtonsMoveTheMarkerAndSwitchPages) {
  for (int k : {3, 6, 0}) {
    const std::wstring function = kFunctions[static_cast<size_t>(k)];
    click(L"超级按钮_" + function);
    EXPECT_EQ(TabCtrl_GetCurSel(control(L"选择夹_通用")), k);
    for (const wchar_t* f : kFunctions) EXPECT_EQ(visible(std::wstring(L"图片框_") + f), f == function);
    EXPECT_EQ(visible(L"高级选择夹_通用文字识别"), k == 0);
  }
}

TEST_F(MainWindowTest, VariantTabsShowTheirOwnPage) {
  const HWND tab = control(L"高级选择夹_通用文字识别");
  for (int v : {2, 3, 1, 0}) {
    RECT item{};
    TabCtrl_GetItemRect(tab, v, &item);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tab, WM_LBUTTONUP, 0, at);
    pumpMessages();
    EXPECT_EQ(TabCtrl_GetCurSel(tab), v);
    for (int other = 0; other < kVariantCount; ++other) {
      const std::wstring page = std::wstring(L"_通用_通用文字识别_") + kVariants[static_cast<size_t>(other)];
      EXPECT_EQ(visible(L"画板" + page + L"_原图"), other == v);
      EXPECT_EQ(visible(L"编辑框" + page + L"_结果"), other == v);
      EXPECT_EQ(visible(L"超级按钮" + page + L"_识别"), other == v);
    }
  }
}

TEST_F(MainWindowTest, MaximiseAndRestoreSwapThePictures) {
  const HWND shadow = static_cast<HWND>(GetPropW(window_, kShadowProp));
  EXPECT_EQ(buttonGlyph(control(L"图形按钮_最大化")), Glyph::Maximize);
  click(L"图形按钮_最大化");
  EXPECT_TRUE(IsZoomed(window_));
  EXPECT_EQ(buttonGlyph(control(L"图形按钮_最大化")), Glyph::Restore);
  EXPECT_FALSE(IsWindowVisible(shadow));
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  expectPlace(placeOf(L"外形框_标题栏"), {0, 0, work.right - work.left, 80}, L"title bar when maximised");
  click(L"图形按钮_最大化");
  EXPECT_FALSE(IsZoomed(window_));
  EXPECT_EQ(buttonGlyph(control(L"图形按钮_最大化")), Glyph::Maximize);
  EXPECT_TRUE(IsWindowVisible(shadow));
  RECT r{};
  GetWindowRect(window_, &r);
  EXPECT_EQ(r.right - r.left, 1280);

  click(L"图形按钮_最小化");
  EXPECT_TRUE(IsIconic(window_));
  ShowWindow(window_, SW_RESTORE);
  pumpMessages();
  expectPlace(placeOf(L"画板_通用_通用文字识别_标准_原图"), {8, 72, 488, 568}, L"canvas after minimise");
}

TEST_F(MainWindowTest, SurfacesAnswerTheirBands) {
  const SurfaceBands title{kBandLeft | kBandRight | kBandTop, true, true};
  const SurfaceBands list{kBandLeft | kBandBottom, false, false};
  const SurfaceBands inner{kBandRight | kBandBottom, false, false};
  EXPECT_EQ(surfaceHitCode(control(L"外形框_标题栏"), title, {3, 3}), kHitTopLeft);
  EXPECT_EQ(surfaceHitCode(control(L"外形框_标题栏"), title, {300, 30}), kHitNowhere);
  EXPECT_EQ(surfaceHitCode(control(L"外形框_标题栏"), title, {1277, 40}), kHitRight);
  EXPECT_EQ(surfaceHitCode(control(L"外形框_通用_功能列表"), list, {100, 645}), kHitBottom);
  EXPECT_EQ(surfaceHitCode(control(L"外形框_通用_功能列表"), list, {3, 645}), kHitBottomLeft);
  EXPECT_EQ(surfaceHitCode(control(L"高级选择夹_通用文字识别"), inner, {1086, 646}), kHitBottomRight);
}

int gCommands = 0;
HWND gLastControl = nullptr;
void recordCommand(HWND, HWND c) {
  ++gCommands;
  gLastControl = c;
}

TEST_F(MainWindowTest, ClicksAndHoversGoToRegisteredHandlers) {
  gCommands = 0;
  click(L"超级按钮_登录");
  EXPECT_EQ(gCommands, 0) << "no handler registered: nothing happens";
  setCommandHandler(L"超级按钮_登录", recordCommand);
  setCommandHandler(L"超级按钮_通用_通用文字识别_高精度_识别", recordCommand);
  click(L"超级按钮_登录");
  EXPECT_EQ(gCommands, 1);
  EXPECT_EQ(gLastControl, control(L"超级按钮_登录"));
  click(L"超级按钮_通用_通用文字识别_高精度_识别");
  EXPECT_EQ(gCommands, 2);
  EXPECT_EQ(gLastControl, control(L"超级按钮_通用_通用文字识别_高精度_识别"));
  setCommandHandler(L"超级按钮_登录", nullptr);
  click(L"超级按钮_登录");
  EXPECT_EQ(gCommands, 2);

  setHoverHandler(L"图片框_账户", recordCommand);
  ShowWindow(control(L"外形框_账户"), SW_SHOW);
  SendMessageW(control(L"图片框_账户"), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(gCommands, 3);
  EXPECT_EQ(gLastControl, control(L"图片框_账户"));
  ShowWindow(control(L"外形框_账户"), SW_HIDE);
  setHoverHandler(L"图片框_账户", nullptr);
}

int gMenuCalls = 0;
void recordMenu(HWND) { ++gMenuCalls; }

// Runs inside the menu's own loop once the menu is up: down to the second
// item, then choose it.
void CALLBACK chooseSecondItem(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND menu = FindWindowW(L"#32768", nullptr);
  for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    PostMessageW(menu, WM_KEYDOWN, key, 0);
  }
}

TEST_F(MainWindowTest, MenuItemsGoToTheirHandlers) {
  setMenuHandler(L"版本升级", recordMenu);
  SetTimer(nullptr, 0, 200, chooseSecondItem);
  click(L"图形按钮_综合");
  EXPECT_EQ(gMenuCalls, 1);
  setMenuHandler(L"版本升级", nullptr);
}

}  // namespace
}  // namespace molan::shell
