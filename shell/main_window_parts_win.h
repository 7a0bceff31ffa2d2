#pragma once
// The main window's pieces, each in its own file, called by its dispatcher.
#include <windows.h>

namespace molan::shell {

// main_window_setup_win.cc: everything WM_CREATE does after the controls exist.
void prepareControls(HWND mainWindow);

// main_window_actions_win.cc
void onControlCommand(HWND mainWindow, HWND control, int notifyCode);
void selectCategory(HWND mainWindow, int index);
void selectFunction(HWND mainWindow, int index);
void toggleMaximize(HWND mainWindow);
void popUpSettingsMenu(HWND mainWindow);

// main_layout_win.cc: re-places every movable control for the current size.
void applyLayout(HWND mainWindow);

}  // namespace molan::shell
