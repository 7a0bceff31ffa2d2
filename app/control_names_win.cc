#include "app/control_names_win.h"

#include "app/gbk_win.h"

namespace molan::win {

void setControlName(HWND control, const wchar_t* name) {
  const ATOM atom = GlobalAddAtomW(name);
  if (atom != 0) SetPropW(control, kControlNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

std::wstring controlName(HWND control) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(control, kControlNameProperty)));
  if (atom == 0) return {};
  wchar_t buf[256];
  const UINT n = GlobalGetAtomNameW(atom, buf, 256);
  return std::wstring(buf, n);
}

namespace {
struct FindState {
  const wchar_t* name;
  HWND found;
};
BOOL CALLBACK findChild(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  if (controlName(hwnd) == state->name) {
    state->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND findControlByName(HWND root, const wchar_t* name) {
  if (!root) return nullptr;
  if (controlName(root) == name) return root;
  FindState state{name, nullptr};
  EnumChildWindows(root, findChild, reinterpret_cast<LPARAM>(&state));  // walks all descendants
  return state.found;
}

HWND findControlByName(HWND root, BytesView gbkName) {
  return findControlByName(root, toWide(gbkName).c_str());
}

Bytes windowTextGbk(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return toGbk(text);
}

void setWindowTextGbk(HWND hwnd, BytesView gbk) { SetWindowTextW(hwnd, toWide(gbk).c_str()); }

}  // namespace molan::win
