// What the main window's own controls do: category and function selection,
// the window buttons and the menu "设置菜单"; every other click goes to the
// handler another module registered for the control's design name.
#include <windows.h>
// windows.h first: the headers below build on it.
#include <commctrl.h>

#include <span>
#include <string>

#include "app/control_names_win.h"
#include "app/win_handles.h"
#include "shell/buttons_win.h"
#include "shell/hooks_win.h"
#include "shell/main_window_names.h"
#include "shell/main_window_parts_win.h"
#include "shell/tabs_win.h"

namespace molan::shell {
namespace {

HWND byName(HWND root, const std::wstring& name) { return win::findControlByName(root, name.c_str()); }

template <size_t N>
int indexOf(const std::array<const wchar_t*, N>& names, const std::wstring& prefix, const std::wstring& name) {
  for (size_t i = 0; i < N; ++i) {
    if (name == prefix + names[i]) return static_cast<int>(i);
  }
  return -1;
}

// The navigation buttons toggle their checked state on each click and select
// when it is set; selection clears every button again, so each click selects.
bool toggleChecked(HWND button) {
  const bool checked = !isChecked(button);
  setChecked(button, checked);
  return checked;
}

bool handleOwnControl(HWND root, HWND control, const std::wstring& name) {
  if (const int i = indexOf(kCategories, L"超级按钮_", name); i >= 0) {
    if (toggleChecked(control)) selectCategory(root, i);
    return true;
  }
  if (const int k = indexOf(kFunctions, L"超级按钮_", name); k >= 0) {
    if (toggleChecked(control)) selectFunction(root, k);
    return true;
  }
  if (name == L"图形按钮_最小化") {
    ShowWindow(root, SW_MINIMIZE);
    return true;
  }
  if (name == L"图形按钮_最大化") {
    toggleMaximize(root);
    return true;
  }
  if (name == L"图形按钮_关闭") ExitProcess(0);
  if (name == L"图形按钮_综合") {
    popUpSettingsMenu(root);
    return true;
  }
  return false;
}

}  // namespace

void onControlCommand(HWND root, HWND control, int notifyCode) {
  if (!control || notifyCode != BN_CLICKED) return;
  const std::wstring name = win::controlName(control);
  if (name.empty() || handleOwnControl(root, control, name)) return;
  if (const CommandHandler handler = commandHandlerFor(name)) handler(root, control);
}

namespace {

// One of a row of buttons becomes current: every button unchecked, only the
// chosen one's marker shown (underline or function marker), its page shown.
void selectAmong(HWND root, std::span<const wchar_t* const> names, const wchar_t* markerKind, const wchar_t* tab,
                 int index) {
  for (size_t i = 0; i < names.size(); ++i) {
    const bool chosen = static_cast<int>(i) == index;
    const HWND button = byName(root, std::wstring(L"超级按钮_") + names[i]);
    setChecked(button, false);
    setCurrent(button, chosen);
    ShowWindow(byName(root, markerKind + std::wstring(names[i])), chosen ? SW_SHOWNA : SW_HIDE);
  }
  selectTabPage(byName(root, tab), index);
}

}  // namespace

void selectCategory(HWND root, int index) { selectAmong(root, kCategories, L"外形框_", L"选择夹_主", index); }

void selectFunction(HWND root, int index) { selectAmong(root, kFunctions, L"图片框_", L"选择夹_通用", index); }

void toggleMaximize(HWND root) {
  const HWND button = byName(root, L"图形按钮_最大化");
  if (!IsZoomed(root)) {
    ShowWindow(root, SW_MAXIMIZE);
    setButtonGlyph(button, Glyph::Restore);
  } else {
    ShowWindow(root, SW_RESTORE);
    setButtonGlyph(button, Glyph::Maximize);
  }
}

void popUpSettingsMenu(HWND root) {
  win::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  UINT id = 1;
  for (const wchar_t* item : kMenuItems) AppendMenuW(menu.get(), MF_STRING, id++, item);
  POINT p{};
  GetCursorPos(&p);
  const auto chosen = static_cast<UINT>(
      TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, p.x + 3, p.y + 3, 0,
                     root, nullptr));
  if (chosen == 0 || chosen > kMenuItems.size()) return;
  if (const MenuHandler handler = menuHandlerFor(kMenuItems[chosen - 1])) handler(root);
}

}  // namespace molan::shell
