// Program entry of MoLan.exe.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>  // gdiplus.h needs it under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include "account/login_window_win.h"
#include "app/window_thread_win.h"
#include "link/build_settings.h"
#include "link/wait_platform_win.h"
#include "recognition/recognition_win.h"
#include "shell/main_window_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // The picture library stays started until the process ends.
  Gdiplus::GdiplusStartupInput gdiplusInput;
  ULONG_PTR gdiplusToken = 0;
  Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

  molan::win::initWindowThread();
  molan::installWin32WaitPlatform(molan::buildSettings().pollUnitMs);
  molan::account::registerAccounts();
  molan::recognition::registerRecognition();

  HWND mainWindow = molan::shell::createMainWindow(instance, showCommand);
  if (!mainWindow) return 0;
  // Dropped files and Ctrl+V on the pages need the pages' controls to exist.
  molan::recognition::attachRecognitionPages(mainWindow);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
