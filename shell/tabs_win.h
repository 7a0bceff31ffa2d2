#pragma once
// The main window's tab controls. Each keeps its pages as tab items; the
// controls of a page are direct children of the tab control marked with the
// page's index, shown only while that page is current. 选择夹_主 and
// 选择夹_通用 show no headers (navigation is by the category and function
// buttons); 高级选择夹_通用文字识别 draws its own flat headers.
#include <windows.h>

#include <span>

namespace molan::shell {

inline constexpr int kTabHeaderHeight = 32;

void setupTab(HWND tab, std::span<const wchar_t* const> captions, bool headers);
void setTabPage(HWND control, int page);
// Makes `index` the current page: the tab item is selected and the page's
// controls are shown, the other pages' hidden.
void selectTabPage(HWND tab, int index);

}  // namespace molan::shell
