#include "app/window_thread_win.h"

#include <windows.h>

namespace molan::win {
namespace {

constexpr UINT kRunMessage = WM_APP + 0x4D4C;  // "ML"
constexpr wchar_t kClassName[] = L"MoLan.WindowThread";
HWND gWindow = nullptr;
DWORD gThreadId = 0;

LRESULT CALLBACK windowThreadProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunMessage) {
    (*reinterpret_cast<const std::function<void()>*>(lp))();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool initWindowThread() {
  if (gWindow) return true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = windowThreadProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
  gWindow = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  gThreadId = GetCurrentThreadId();
  return gWindow != nullptr;
}

bool onWindowThread() { return gThreadId == 0 || GetCurrentThreadId() == gThreadId; }

void runOnWindowThread(const std::function<void()>& fn) {
  if (onWindowThread() || !gWindow) {
    fn();
    return;
  }
  SendMessageW(gWindow, kRunMessage, 0, reinterpret_cast<LPARAM>(&fn));
}

}  // namespace molan::win
