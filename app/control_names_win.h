#pragma once
// Every control carries its design name (e.g. 超级按钮_登录) in the window
// property "MoLan.Name", as a global atom, so that tests and UI-automation
// tools in another process can find it (GetPropW + GlobalGetAtomNameW).
#include <windows.h>

#include <string>

#include "link/bytes.h"

namespace molan::win {

inline constexpr wchar_t kControlNameProperty[] = L"MoLan.Name";

void setControlName(HWND control, const wchar_t* name);
std::wstring controlName(HWND control);
// The first descendant of `root` (or root itself) with that design name.
HWND findControlByName(HWND root, const wchar_t* name);
HWND findControlByName(HWND root, BytesView gbkName);

// Window text as GBK, and setting it from GBK.
Bytes windowTextGbk(HWND hwnd);
void setWindowTextGbk(HWND hwnd, BytesView gbk);

}  // namespace molan::win
