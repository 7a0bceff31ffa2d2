// What the main window does with its controls once they exist: looks, fonts,
// tab pages, hover tracking, pictures, hints, resize surfaces and the start
// selection; and the shell set-up step of the start-up sequence.
#include <windows.h>
// windows.h first: the headers below build on it.
#include <commctrl.h>

#include <string>

#include "app/control_names_win.h"
#include "app/theme_win.h"
#include "shell/buttons_win.h"
#include "shell/main_window_controls_win.h"
#include "shell/main_window_names.h"
#include "shell/main_window_parts_win.h"
#include "shell/main_window_win.h"
#include "shell/panel_win.h"
#include "shell/resize_bands.h"
#include "shell/shadow_win.h"
#include "shell/surface_win.h"
#include "shell/tabs_win.h"

namespace molan::shell {
namespace {

namespace theme = win::theme;

HWND byName(HWND root, const std::wstring& name) { return win::findControlByName(root, name.c_str()); }

void setFont(HWND root, const std::wstring& name, HFONT font) {
  if (const HWND h = byName(root, name)) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void styleContainers(HWND root) {
  setPanelLook(byName(root, L"外形框_标题栏"), theme::kWindowBack, kEdgeBottom);
  for (const wchar_t* c : kCategories) setPanelLook(byName(root, std::wstring(L"外形框_") + c), theme::kAccent);
  setPanelLook(byName(root, L"外形框_账户"), theme::kWindowBack);
  setPanelLook(byName(root, L"外形框_通用_功能列表"), theme::kWindowBack, kEdgeRight);
  for (int v = 0; v < kVariantCount; ++v) {
    setPanelLook(byName(root, pageControlName(L"外形框", v, L"按钮")), theme::kPageBack);
  }
  const HWND mainTab = byName(root, L"选择夹_主");
  const HWND functionTab = byName(root, L"选择夹_通用");
  const HWND variantTab = byName(root, L"高级选择夹_通用文字识别");
  for (const HWND tab : {mainTab, functionTab, variantTab}) setBackground(tab, theme::kPageBack);
  setupTab(mainTab, kCategories, false);
  setupTab(functionTab, kFunctions, false);
  setupTab(variantTab, kVariantCaptions, true);
}

void setFonts(HWND root) {
  setFont(root, L"透明标签_标题", theme::uiFont(24, FW_BOLD));
  setFont(root, L"透明标签_标题1", theme::uiFont(12));
  setFont(root, L"透明标签_账户", theme::uiFont(13));
  for (int v = 0; v < kVariantCount; ++v) {
    setFont(root, pageControlName(L"透明标签", v, L"原图"), theme::uiFont(14));
    setFont(root, pageControlName(L"透明标签", v, L"结果"), theme::uiFont(14));
    const HWND result = byName(root, pageControlName(L"编辑框", v, L"结果"));
    SendMessageW(result, WM_SETFONT, reinterpret_cast<WPARAM>(theme::uiFont(15)), FALSE);
    SendMessageW(result, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(10, 10));
  }
}

void assignPagesAndTracking(HWND root) {
  for (const win::ControlSpec& spec : mainWindowControls()) {
    const HWND control = byName(root, spec.name);
    if (!control) continue;
    const TabPageMember member = tabPageOf(spec.name);
    if (member.tab) setTabPage(control, member.page);
    const bool ownerButton = spec.cls == std::wstring(WC_BUTTONW) && (spec.style & BS_OWNERDRAW) == BS_OWNERDRAW;
    if (ownerButton || (spec.style & SS_NOTIFY && spec.cls == std::wstring(WC_STATICW))) makeHoverAware(control);
  }
  const std::pair<const wchar_t*, Glyph> pictures[] = {
      {L"图形按钮_分享", Glyph::Share},       {L"图形按钮_消息", Glyph::Message},
      {L"图形按钮_综合", Glyph::Menu},        {L"图形按钮_最小化", Glyph::Minimize},
      {L"图形按钮_最大化", Glyph::Maximize}, {L"图形按钮_关闭", Glyph::Close}};
  for (const auto& [name, glyph] : pictures) setButtonGlyph(byName(root, name), glyph);
  // 注册 overlaps 登录 by design; 登录 stays on top so that both captions show.
  SetWindowPos(byName(root, L"超级按钮_登录"), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void addHint(HWND tooltip, HWND control, const wchar_t* text) {
  if (!control) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void addHints(HWND root) {
  const HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
  if (!tooltip) return;
  SendMessageW(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(theme::uiFont(13)), FALSE);
  addHint(tooltip, byName(root, L"图形按钮_分享"), L"分享");
  addHint(tooltip, byName(root, L"图形按钮_消息"), L"消息");
  addHint(tooltip, byName(root, L"图形按钮_综合"), L"综合");
  for (int v = 0; v < kVariantCount; ++v) {
    for (const PageAction& a : pageActions()) {
      addHint(tooltip, byName(root, pageControlName(L"超级按钮", v, a.action)), a.tip);
    }
  }
}

void makeSurfaces(HWND root) {
  makeResizeSurface(byName(root, L"外形框_标题栏"), {kBandLeft | kBandRight | kBandTop, true, true});
  makeResizeSurface(byName(root, L"选择夹_主"), {kBandLeft | kBandRight | kBandBottom, true, false});
  makeResizeSurface(byName(root, L"外形框_通用_功能列表"), {kBandLeft | kBandBottom, false, false});
  makeResizeSurface(byName(root, L"选择夹_通用"), {kBandRight | kBandBottom, false, false});
  makeResizeSurface(byName(root, L"高级选择夹_通用文字识别"), {kBandRight | kBandBottom, false, false});
}

}  // namespace

void prepareControls(HWND root) {
  styleContainers(root);
  setFonts(root);
  assignPagesAndTracking(root);
  addHints(root);
  makeSurfaces(root);
  selectCategory(root, 0);
  selectFunction(root, 0);
  selectTabPage(byName(root, L"高级选择夹_通用文字识别"), 0);
}

void setupMainWindowShell(HWND mainWindow) {
  SetWindowPos(mainWindow, nullptr, 0, 0, kMainWindowWidth, kMainWindowHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  AttachShadow(mainWindow, theme::kShadow, 4);
  for (int v = 0; v < kVariantCount; ++v) {
    AttachFrameBorder(byName(mainWindow, pageControlName(L"画板", v, L"原图")), theme::kFrameBorder);
    AttachFrameBorder(byName(mainWindow, pageControlName(L"编辑框", v, L"结果")), theme::kFrameBorder);
  }
}

}  // namespace molan::shell
