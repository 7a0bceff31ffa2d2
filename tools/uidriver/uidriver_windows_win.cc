#include "tools/uidriver/uidriver_windows_win.h"

#include <algorithm>

#include "app/control_names_win.h"
#include "tools/uidriver/uidriver_output_win.h"

namespace molan::uidriver {

std::wstring windowText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
    wchar_t buf[512];
    const int n = GetWindowTextW(hwnd, buf, 512);
    return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           kSendTimeoutMs, &got)) {
    return {};
  }
  text.resize(std::min<size_t>(static_cast<size_t>(got), static_cast<size_t>(length)));
  return text;
}

std::wstring className(HWND hwnd) {
  wchar_t buf[256];
  const int n = GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring designName(HWND hwnd) { return win::controlName(hwnd); }

bool isMessageBox(HWND hwnd) { return className(hwnd) == L"#32770"; }

namespace {

BOOL CALLBACK collectTopLevel(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK collectChild(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

// Lower rank wins: visible before hidden, ordinary windows before message boxes.
int rank(HWND hwnd) { return (IsWindowVisible(hwnd) ? 0 : 2) + (isMessageBox(hwnd) ? 1 : 0); }

HWND best(const std::vector<HWND>& candidates) {
  HWND chosen = nullptr;
  for (HWND h : candidates) {
    if (!chosen || rank(h) < rank(chosen)) chosen = h;
  }
  return chosen;
}

bool parseId(const std::wstring& control, int& id) {
  if (control.size() < 2 || control[0] != L'#') return false;
  id = 0;
  for (size_t i = 1; i < control.size(); ++i) {
    if (control[i] < L'0' || control[i] > L'9' || i > 9) return false;
    id = id * 10 + (control[i] - L'0');
  }
  return true;
}

}  // namespace

HWND findTopLevel(const std::wstring& title) {
  std::vector<HWND> all;
  EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> matching;
  for (HWND h : all) {
    wchar_t buf[512];
    const int n = GetWindowTextW(h, buf, 512);
    if (title == std::wstring_view(buf, n > 0 ? static_cast<size_t>(n) : 0)) matching.push_back(h);
  }
  return best(matching);
}

HWND waitTopLevel(const std::wstring& title, DWORD timeoutMs) {
  const Deadline deadline(timeoutMs);
  for (;;) {
    HWND h = findTopLevel(title);
    if (h && IsWindowVisible(h)) return h;
    if (deadline.passed()) return nullptr;
    Sleep(kPollMs);
  }
}

std::vector<HWND> descendants(HWND root) {
  std::vector<HWND> out;
  EnumChildWindows(root, collectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

HWND findControl(HWND root, const std::wstring& control) {
  const std::vector<HWND> all = descendants(root);
  std::vector<HWND> matching;
  for (HWND h : all) {
    if (designName(h) == control) matching.push_back(h);
  }
  int id = 0;
  if (matching.empty() && parseId(control, id)) {
    for (HWND h : all) {
      if (GetDlgCtrlID(h) == id) matching.push_back(h);
    }
  }
  if (matching.empty()) {
    for (HWND h : all) {
      if (windowText(h) == control) matching.push_back(h);
    }
  }
  return best(matching);
}

bool locate(const std::wstring& title, const std::wstring& control, DWORD timeoutMs, HWND& window, HWND& found) {
  const Deadline deadline(timeoutMs);
  for (;;) {
    window = findTopLevel(title);
    found = window ? findControl(window, control) : nullptr;
    if (found) return true;
    if (deadline.passed()) break;
    Sleep(kPollMs);
  }
  if (!window) {
    fail(L"no window titled \"" + title + L"\"");
  } else {
    fail(L"no control \"" + control + L"\" in window \"" + title + L"\"");
  }
  return false;
}

}  // namespace molan::uidriver
