#pragma once
// Windows list their controls in one table of name, class, style, place, size
// and text; this creates them, names them and gives them the window's font.
#include <windows.h>

#include <span>

namespace molan::win {

struct ControlSpec {
  const wchar_t* name;   // design name, e.g. L"超级按钮_登录"
  const wchar_t* cls;    // WC_BUTTONW, WC_EDITW, WC_STATICW, WC_TABCONTROLW or a registered class
  DWORD style;           // WS_CHILD is added
  int x, y, w, h;        // relative to the parent control
  const wchar_t* text;   // caption (window text)
  int id;                // control id, for WM_COMMAND
  const wchar_t* parent = nullptr;  // design name of the parent control; nullptr: the window
};

// Creates every control of `table` in order (a parent must come before its
// children); returns false when one could not be created.
bool createControls(HWND window, std::span<const ControlSpec> table, HFONT font);

}  // namespace molan::win
