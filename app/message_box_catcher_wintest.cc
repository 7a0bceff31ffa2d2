#include "app/message_box_catcher_wintest.h"

namespace molan::win::testing {
namespace {

struct Found {
  std::vector<HWND> boxes;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM lp) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (process == GetCurrentProcessId() && wcscmp(cls, L"#32770") == 0 && IsWindowVisible(hwnd)) {
    reinterpret_cast<Found*>(lp)->boxes.push_back(hwnd);
  }
  return TRUE;
}

std::wstring textOf(HWND hwnd) {
  wchar_t buffer[512] = {};
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 1000, nullptr);
  return buffer;
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher() : thread_([this] { watch(); }) {}

MessageBoxCatcher::~MessageBoxCatcher() {
  stop_ = true;
  thread_.join();
}

void MessageBoxCatcher::watch() {
  while (!stop_) {
    Found found;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&found));
    for (const HWND box : found.boxes) answer(box);
    Sleep(10);
  }
}

void MessageBoxCatcher::answer(HWND box) {
  {
    std::lock_guard lock(mutex_);
    if (answered_.count(box)) return;
    answered_.insert(box);
  }
  CaughtBox caught{textOf(GetDlgItem(box, 0xFFFF)), textOf(box)};
  {
    std::lock_guard lock(mutex_);
    boxes_.push_back(caught);
  }
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

std::vector<CaughtBox> MessageBoxCatcher::boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

bool MessageBoxCatcher::waitFor(size_t count, int ms) const {
  const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<LONG>(until - GetTickCount()) > 0) {
    if (boxes().size() >= count) return true;
    pumpMessages(10);
  }
  return boxes().size() >= count;
}

void pumpMessages(int ms) {
  const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

}  // namespace molan::win::testing
