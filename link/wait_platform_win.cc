#include "link/wait_platform_win.h"

#include <windows.h>

namespace molan {

Win32WaitPlatform::Win32WaitPlatform() : event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

Win32WaitPlatform::~Win32WaitPlatform() {
  if (event_) CloseHandle(event_);
}

uint64_t Win32WaitPlatform::nowMs() { return GetTickCount64(); }

void Win32WaitPlatform::processEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit for the message loop that owns it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Win32WaitPlatform::sleepUntilActivity(uint32_t ms) {
  HANDLE handles[] = {event_};
  MsgWaitForMultipleObjectsEx(event_ ? 1 : 0, handles, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32WaitPlatform::wake() {
  if (event_) SetEvent(event_);
}

void installWin32WaitPlatform(uint32_t pollUnitMs) {
  static Win32WaitPlatform platform;
  replyMailbox().setWakeUp([] { platform.wake(); });
  ReplyWaiter::setPlatform(&platform, pollUnitMs);
}

}  // namespace molan
