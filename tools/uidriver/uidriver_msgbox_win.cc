#include "tools/uidriver/uidriver_msgbox_win.h"

#include "tools/uidriver/uidriver_windows_win.h"

namespace molan::uidriver {

namespace {

inline constexpr int kTextId = 0xFFFF;

struct Found {
  const std::wstring* title;
  std::vector<HWND> boxes;
};

BOOL CALLBACK collectBoxes(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  if (!IsWindowVisible(hwnd) || !isMessageBox(hwnd) || !GetDlgItem(hwnd, kTextId)) return TRUE;
  if (!found->title->empty()) {
    wchar_t buf[512];
    const int n = GetWindowTextW(hwnd, buf, 512);
    if (*found->title != std::wstring_view(buf, n > 0 ? static_cast<size_t>(n) : 0)) return TRUE;
  }
  found->boxes.push_back(hwnd);
  return TRUE;
}

HWND currentBox(const std::wstring& title) {
  Found found{&title, {}};
  EnumWindows(collectBoxes, reinterpret_cast<LPARAM>(&found));
  if (found.boxes.empty()) return nullptr;
  const HWND foreground = GetForegroundWindow();
  for (HWND h : found.boxes) {
    if (h == foreground) return h;
  }
  return found.boxes.front();  // topmost in Z order
}

MessageBoxView describe(HWND box) {
  MessageBoxView view;
  view.hwnd = box;
  view.title = windowText(box);
  view.text = windowText(GetDlgItem(box, kTextId));
  view.icon = messageBoxIcon(box);
  for (HWND child : descendants(box)) {
    if (className(child) != L"Button" || !IsWindowVisible(child)) continue;
    view.buttons.push_back({GetDlgCtrlID(child), windowText(child), child});
  }
  return view;
}

// "是(&Y)" -> "是", "&Retry" -> "Retry".
std::wstring plainCaption(const std::wstring& caption) {
  std::wstring out = caption;
  const size_t accel = out.find(L"(&");
  if (accel != std::wstring::npos && out.back() == L')') out.erase(accel);
  std::wstring plain;
  for (wchar_t c : out) {
    if (c != L'&') plain += c;
  }
  return plain;
}

}  // namespace

MessageBoxView waitMessageBox(const std::wstring& title, DWORD timeoutMs) {
  const Deadline deadline(timeoutMs);
  for (;;) {
    if (HWND box = currentBox(title)) return describe(box);
    if (deadline.passed()) return {};
    Sleep(kPollMs);
  }
}

const MessageBoxButton* findButton(const MessageBoxView& box, const std::wstring& which) {
  for (const MessageBoxButton& b : box.buttons) {
    if (b.caption == which || plainCaption(b.caption) == plainCaption(which)) return &b;
  }
  for (const MessageBoxButton& b : box.buttons) {
    if (std::to_wstring(b.id) == which) return &b;
  }
  return nullptr;
}

}  // namespace molan::uidriver
