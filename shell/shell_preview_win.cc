// Developer preview of the main window without a server: shows the shell with
// start-up hooks that only run the shell set-up, so its looks can be checked
// (and screenshot) on its own. Arguments: [width height].
#include <windows.h>
#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>
#include <shellapi.h>

#include <cwchar>

#include "app/startup_win.h"
#include "shell/main_window_win.h"

namespace molan::app {
void onMainWindowCreate(HWND mainWindow) { shell::setupMainWindowShell(mainWindow); }
bool onMainWindowClose(HWND) { return true; }
void onStartupTick(HWND) {}
}  // namespace molan::app

int main() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  const HWND window = molan::shell::createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
  if (!window) return 1;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv && argc == 3) {
    SetWindowPos(window, nullptr, 40, 40, static_cast<int>(std::wcstol(argv[1], nullptr, 10)),
                 static_cast<int>(std::wcstol(argv[2], nullptr, 10)), SWP_NOZORDER);
  }
  LocalFree(argv);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
