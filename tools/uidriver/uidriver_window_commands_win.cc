// Subcommands on whole windows: waiting for them, listing their controls,
// closing them and taking pictures of the screen.
#include <cstdio>
#include <cwchar>

#include "tools/uidriver/uidriver_capture_win.h"
#include "tools/uidriver/uidriver_commands_win.h"
#include "tools/uidriver/uidriver_output_win.h"
#include "tools/uidriver/uidriver_windows_win.h"

namespace molan::uidriver {

namespace {

std::string hwndText(HWND h) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%08lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(h)));
  return buf;
}

}  // namespace

int waitWindowCommand(const Options& o) {
  HWND h = waitTopLevel(o.positional[0], o.timeoutMs);
  if (!h) return fail(L"no visible window titled \"" + o.positional[0] + L"\" within " + std::to_wstring(o.timeoutMs) + L" ms");
  writeOut(hwndText(h) + "\n");
  return 0;
}

int waitGoneCommand(const Options& o) {
  const Deadline deadline(o.timeoutMs);
  for (;;) {
    HWND h = findTopLevel(o.positional[0]);
    if (!h || !IsWindowVisible(h)) return 0;
    if (deadline.passed()) break;
    Sleep(kPollMs);
  }
  return fail(L"window \"" + o.positional[0] + L"\" still shown after " + std::to_wstring(o.timeoutMs) + L" ms");
}

int listCommand(const Options& o) {
  HWND window = waitTopLevel(o.positional[0], o.timeoutMs);
  if (!window) window = findTopLevel(o.positional[0]);
  if (!window) return fail(L"no window titled \"" + o.positional[0] + L"\"");
  for (HWND h : descendants(window)) {
    RECT r{};
    GetWindowRect(h, &r);
    writeOut("{\"name\": " + jsonString(designName(h)) + ", \"class\": " + jsonString(className(h)) +
             ", \"caption\": " + jsonString(windowText(h)) + ", \"id\": " + std::to_string(GetDlgCtrlID(h)) +
             ", \"rect\": " + jsonRect(r) + ", \"visible\": " + (IsWindowVisible(h) ? "true" : "false") +
             ", \"enabled\": " + (IsWindowEnabled(h) ? "true" : "false") + "}\n");
  }
  return 0;
}

int closeCommand(const Options& o) {
  HWND h = findTopLevel(o.positional[0]);
  if (!h) return fail(L"no window titled \"" + o.positional[0] + L"\"");
  if (!PostMessageW(h, WM_CLOSE, 0, 0)) return fail(L"cannot post WM_CLOSE");
  return 0;
}

// Moves and sizes a top-level window, as a user dragging its edges would.
int placeCommand(const Options& o) {
  HWND h = waitTopLevel(o.positional[0], o.timeoutMs);
  if (!h) return fail(L"no visible window titled \"" + o.positional[0] + L"\"");
  int v[4] = {};
  for (int i = 0; i < 4; ++i) {
    wchar_t* end = nullptr;
    v[i] = static_cast<int>(std::wcstol(o.positional[1 + i].c_str(), &end, 10));
    if (end == o.positional[1 + i].c_str() || *end != L'\0') return fail(L"not a number: " + o.positional[1 + i]);
  }
  if (!SetWindowPos(h, nullptr, v[0], v[1], v[2], v[3], SWP_NOZORDER | SWP_NOACTIVATE)) {
    return fail(L"SetWindowPos failed");
  }
  RECT r{};
  GetWindowRect(h, &r);
  writeOut(jsonRect(r) + "\n");
  return 0;
}

int screenshotCommand(const Options& o) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!o.window.empty()) {
    HWND h = waitTopLevel(o.window, o.timeoutMs);
    if (!h) return fail(L"no visible window titled \"" + o.window + L"\"");
    GetWindowRect(h, &area);
    // Only the part that is on the screen can be read back.
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IntersectRect(&area, &area, &screen)) return fail(L"the window is off the screen");
  }
  win::UniqueBitmap shot = captureScreen(area);
  if (!shot) return fail(L"BitBlt of the screen failed");
  std::wstring error;
  if (!saveBitmap(shot.get(), o.positional[0], error)) return fail(error);
  writeOut(std::to_string(area.right - area.left) + "x" + std::to_string(area.bottom - area.top) + "\n");
  return 0;
}

}  // namespace molan::uidriver
