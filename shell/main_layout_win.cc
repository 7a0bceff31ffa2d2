// Applies the layout arithmetic to the real controls on every size change.
#include <string>

#include "app/control_names_win.h"
#include "shell/layout.h"
#include "shell/main_window_controls_win.h"
#include "shell/main_window_names.h"
#include "shell/main_window_parts_win.h"

namespace molan::shell {
namespace {

struct Place {
  HWND hwnd;
  RECT rect;  // in the parent's client coordinates
};

Place placeOf(HWND root, const std::wstring& name) {
  Place p{win::findControlByName(root, name.c_str()), {}};
  if (!p.hwnd) return p;
  GetWindowRect(p.hwnd, &p.rect);
  MapWindowPoints(nullptr, GetParent(p.hwnd), reinterpret_cast<POINT*>(&p.rect), 2);
  return p;
}
int widthOf(const Place& p) { return p.rect.right - p.rect.left; }
int heightOf(const Place& p) { return p.rect.bottom - p.rect.top; }

void moveTo(const Place& p, int left, int top) {
  if (p.hwnd) SetWindowPos(p.hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void resize(const Place& p, int width, int height) {
  if (p.hwnd) SetWindowPos(p.hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void place(const Place& p, int left, int top, int width, int height) {
  if (p.hwnd) SetWindowPos(p.hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LayoutInput readSizes(HWND root) {
  RECT window{};
  GetWindowRect(root, &window);
  LayoutInput in;
  in.windowWidth = window.right - window.left;
  in.windowHeight = window.bottom - window.top;
  in.titleBarHeight = heightOf(placeOf(root, L"外形框_标题栏"));
  in.messageWidth = widthOf(placeOf(root, L"图形按钮_消息"));
  in.shareWidth = widthOf(placeOf(root, L"图形按钮_分享"));
  in.loginWidth = widthOf(placeOf(root, L"超级按钮_登录"));
  in.registerWidth = widthOf(placeOf(root, L"超级按钮_注册"));
  in.accountWidth = widthOf(placeOf(root, L"外形框_账户"));
  in.functionListWidth = widthOf(placeOf(root, L"外形框_通用_功能列表"));
  const Place canvas = placeOf(root, pageControlName(L"画板", 0, L"原图"));
  in.canvasLeft = canvas.rect.left;
  in.canvasTop = canvas.rect.top;
  in.buttonColumnHeight = heightOf(placeOf(root, pageControlName(L"外形框", 0, L"按钮")));
  return in;
}

void placeTitleBar(HWND root, const LayoutResult& r) {
  const Place bar = placeOf(root, L"外形框_标题栏");
  resize(bar, r.titleBarWidth, heightOf(bar));
  const std::pair<const wchar_t*, int> lefts[] = {
      {L"图形按钮_综合", r.menuLeft},       {L"图形按钮_消息", r.messageLeft},   {L"图形按钮_分享", r.shareLeft},
      {L"超级按钮_登录", r.loginLeft},      {L"超级按钮_注册", r.registerLeft},  {L"外形框_账户", r.accountLeft},
      {L"图形按钮_最小化", r.minimizeLeft}, {L"图形按钮_最大化", r.maximizeLeft}, {L"图形按钮_关闭", r.closeLeft}};
  for (const auto& [name, left] : lefts) {
    const Place p = placeOf(root, name);
    moveTo(p, left, p.rect.top);
  }
}

void placePages(HWND root, const LayoutResult& r) {
  resize(placeOf(root, L"选择夹_主"), r.mainTabWidth, r.mainTabHeight);
  resize(placeOf(root, L"外形框_通用_功能列表"), widthOf(placeOf(root, L"外形框_通用_功能列表")), r.functionListHeight);
  resize(placeOf(root, L"选择夹_通用"), r.functionTabWidth, r.functionTabHeight);
  resize(placeOf(root, L"高级选择夹_通用文字识别"), r.variantTabWidth, r.variantTabHeight);
  for (int v = 0; v < kVariantCount; ++v) {
    const Place canvas = placeOf(root, pageControlName(L"画板", v, L"原图"));
    const Place result = placeOf(root, pageControlName(L"编辑框", v, L"结果"));
    const Place column = placeOf(root, pageControlName(L"外形框", v, L"按钮"));
    const Place label = placeOf(root, pageControlName(L"透明标签", v, L"结果"));
    place(canvas, canvas.rect.left, canvas.rect.top, r.canvasWidth, r.canvasHeight);
    place(result, r.resultLeft, result.rect.top, r.resultWidth, r.resultHeight);
    moveTo(column, r.columnLeft, r.columnTop);
    moveTo(label, r.resultLabelLeft, label.rect.top);
  }
}

}  // namespace

void applyLayout(HWND root) {
  if (IsIconic(root)) return;  // a minimised window keeps its layout for the restore
  RECT window{};
  GetWindowRect(root, &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  if (w < kMinWindowWidth || h < kMinWindowHeight) {
    SetWindowPos(root, nullptr, 0, 0, w < kMinWindowWidth ? kMinWindowWidth : w, h < kMinWindowHeight ? kMinWindowHeight : h,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const LayoutResult r = layoutMainWindow(readSizes(root));
  placeTitleBar(root, r);
  placePages(root, r);
}

}  // namespace molan::shell
