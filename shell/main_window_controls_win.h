#pragma once
// The main window's control table: every control of the title bar, the page
// area, the function list and the four recognition pages, with its design
// name, class, place, size and caption.
#include <windows.h>

#include <span>
#include <string>

#include "app/control_table_win.h"

namespace molan::shell {

inline constexpr wchar_t kPanelClass[] = L"MoLan.Panel";

std::span<const win::ControlSpec> mainWindowControls();

// Names of the controls of one recognition variant page ("通用_通用文字识别_V").
std::wstring pageControlName(const wchar_t* kind, int variant, const wchar_t* role);

// Which tab page a direct child of a tab control belongs to.
struct TabPageMember {
  const wchar_t* tab;
  int page;
};
// The tab page of the named control, or {nullptr, -1} for controls that sit
// on no tab page.
TabPageMember tabPageOf(const std::wstring& name);

// Tooltips of the recognition page buttons, by action (图片, 截图, 识别, 复制, 导出).
struct PageAction {
  const wchar_t* action;
  int y;
  const wchar_t* tip;
};
std::span<const PageAction> pageActions();

}  // namespace molan::shell
