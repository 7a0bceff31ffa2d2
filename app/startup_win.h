#pragma once
// Start-up and shutdown of the client, called by the main window.
#include <windows.h>

namespace molan::app {

// Id of the main window's one-shot start-up timer (时钟_延时启动任务).
inline constexpr UINT_PTR kStartupTimerId = 1;

// Main window's WM_CREATE, after its controls exist: writes the network
// library, makes the data folders and the settings file, opens the server
// link, runs the shell set-up and arms the start-up timer. A failing step
// shows its message and ends the process (exit code 0).
void onMainWindowCreate(HWND mainWindow);
// Main window's WM_CLOSE: stops the link and deletes the library file.
// Returns true: the window may close.
bool onMainWindowClose(HWND mainWindow);
// WM_TIMER with kStartupTimerId: stops the timer, runs the start-up work.
void onStartupTick(HWND mainWindow);

}  // namespace molan::app
