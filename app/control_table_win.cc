#include "app/control_table_win.h"

#include "app/control_names_win.h"

namespace molan::win {

bool createControls(HWND window, std::span<const ControlSpec> table, HFONT font) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
  bool ok = true;
  for (const ControlSpec& c : table) {
    HWND parent = c.parent ? findControlByName(window, c.parent) : window;
    if (!parent) parent = window;
    HWND h = CreateWindowExW(0, c.cls, c.text ? c.text : L"", WS_CHILD | c.style, c.x, c.y, c.w, c.h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    if (!h) {
      ok = false;
      continue;
    }
    setControlName(h, c.name);
    if (font) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return ok;
}

}  // namespace molan::win
