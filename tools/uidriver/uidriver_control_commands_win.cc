// Subcommands on one control: clicking, texts, place, mouse and keys. Input is
// posted as window messages to the control, so no real pointer or keyboard
// focus is needed and several runs can share one display.
#include "tools/uidriver/uidriver_commands_win.h"
#include "tools/uidriver/uidriver_output_win.h"
#include "tools/uidriver/uidriver_windows_win.h"

namespace molan::uidriver {

namespace {

LPARAM point(int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))); }

// A control a user could operate: shown and enabled, in an enabled window
// (a window is disabled while it owns a modal dialog or message box).
bool operable(HWND h, const std::wstring& control) {
  const HWND top = GetAncestor(h, GA_ROOT);
  if (top && !IsWindowEnabled(top)) {
    fail(L"the window of \"" + control + L"\" is disabled (a modal window is open)");
    return false;
  }
  if (!IsWindowVisible(h)) {
    fail(L"control \"" + control + L"\" is hidden");
    return false;
  }
  if (!IsWindowEnabled(h)) {
    fail(L"control \"" + control + L"\" is disabled");
    return false;
  }
  return true;
}

void postClick(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  const LPARAM at = point(r.right / 2, r.bottom / 2);
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(h, WM_LBUTTONUP, 0, at);
}

bool parseInt(const std::wstring& text, int& out) {
  if (text.empty() || text.size() > 6) return false;
  size_t i = text[0] == L'-' ? 1 : 0;
  if (i == text.size()) return false;
  int value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    value = value * 10 + (text[i] - L'0');
  }
  out = text[0] == L'-' ? -value : value;
  return true;
}

}  // namespace

int clickCommand(const Options& o) {
  HWND window = nullptr;
  HWND h = nullptr;
  if (!locate(o.positional[0], o.positional[1], o.timeoutMs, window, h)) return kExitFailure;
  if (!operable(h, o.positional[1])) return kExitFailure;
  if (o.mouse || className(h) != L"Button") {
    postClick(h);
    return 0;
  }
  if (!o.wait) return PostMessageW(h, BM_CLICK, 0, 0) ? 0 : fail(L"cannot post BM_CLICK");
  // --wait: returns once the click handler has run. A handler that opens a
  // modal box does not return; the click was still delivered.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, BM_CLICK, 0, 0, SMTO_NORMAL, o.timeoutMs, &result) && GetLastError() != ERROR_TIMEOUT) {
    return fail(L"BM_CLICK was not delivered");
  }
  return 0;
}

int setTextCommand(const Options& o) {
  HWND window = nullptr;
  HWND h = nullptr;
  if (!locate(o.positional[0], o.positional[1], o.timeoutMs, window, h)) return kExitFailure;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(o.positional[2].c_str()), SMTO_ABORTIFHUNG,
                           o.timeoutMs, &result) ||
      !result) {
    return fail(L"WM_SETTEXT failed on \"" + o.positional[1] + L"\"");
  }
  return 0;
}

int getTextCommand(const Options& o) {
  HWND window = nullptr;
  HWND h = nullptr;
  if (!locate(o.positional[0], o.positional[1], o.timeoutMs, window, h)) return kExitFailure;
  writeOut(toUtf8(windowText(h)));
  return 0;
}

// WM_PASTE to a control, as its context menu's 粘贴 would send it.
int pasteCommand(const Options& o) {
  HWND window = nullptr;
  HWND h = nullptr;
  if (!locate(o.positional[0], o.positional[1], o.timeoutMs, window, h)) return kExitFailure;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, o.timeoutMs, &result)) {
    return fail(L"WM_PASTE was not answered");
  }
  return 0;
}

int rectCommand(const Options& o) {
  HWND window = nullptr;
  HWND h = nullptr;
  if (!locate(o.positional[0], o.positional[1], o.timeoutMs, window, h)) return kExitFailure;
  RECT screen{};
  GetWindowRect(h, &screen);
  RECT parent = screen;
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&parent), 2);
  writeOut("{\"screen\": " + jsonRect(screen) + ", \"parent\": " + jsonRect(parent) + "}\n");
  return 0;
}

int mouseCommand(const Options& o) {
  const std::wstring& action = o.positional[2];
  int x = 0;
  int y = 0;
  if (!parseInt(o.positional[3], x) || !parseInt(o.positional[4], y)) return fail(L"x and y must be integers");
  struct Step {
    const wchar_t* action;
    UINT message;
    WPARAM keys;
  };
  static const Step kSteps[] = {
      {L"down", WM_LBUTTONDOWN, MK_LBUTTON}, {L"move", WM_MOUSEMOVE, MK_LBUTTON},  {L"hover", WM_MOUSEMOVE, 0},
      {L"up", WM_LBUTTONUP, 0},              {L"dblclick", WM_LBUTTONDBLCLK, MK_LBUTTON},
  };
  const Step* step = nullptr;
  for (const Step& s : kSteps) {
    if (action == s.action) step = &s;
  }
  if (!step) return fail(L"mouse action must be down, move, hover, up or dblclick, not " + action);
  HWND window = nullptr;
  HWND h = nullptr;
  if (!locate(o.positional[0], o.positional[1], o.timeoutMs, window, h)) return kExitFailure;
  if (!operable(h, o.positional[1])) return kExitFailure;
  return PostMessageW(h, step->message, step->keys, point(x, y)) ? 0 : fail(L"cannot post the mouse message");
}

int keyCommand(const Options& o) {
  const unsigned vk = virtualKey(o.positional[1]);
  if (vk == 0) return fail(L"unknown key " + o.positional[1]);
  HWND window = nullptr;
  HWND target = nullptr;
  if (!o.control.empty()) {
    if (!locate(o.positional[0], o.control, o.timeoutMs, window, target)) return kExitFailure;
  } else {
    window = waitTopLevel(o.positional[0], o.timeoutMs);
    if (!window) return fail(L"no visible window titled \"" + o.positional[0] + L"\"");
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const bool focusInside = GetGUIThreadInfo(thread, &info) && info.hwndFocus &&
                             (info.hwndFocus == window || IsChild(window, info.hwndFocus));
    target = focusInside ? info.hwndFocus : window;
  }
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  const LPARAM up = static_cast<LPARAM>(static_cast<UINT>(down) | 0xC0000000u);  // previous state, released
  const UINT ch = MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0x7FFF;
  PostMessageW(target, WM_KEYDOWN, vk, down);
  if (ch != 0) PostMessageW(target, WM_CHAR, (ch >= L'A' && ch <= L'Z') ? ch + 32 : ch, down);
  PostMessageW(target, WM_KEYUP, vk, up);
  return 0;
}

}  // namespace molan::uidriver
