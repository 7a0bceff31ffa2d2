#pragma once
// The client's borderless main window (MainWindow, "墨澜"): title bar, category
// and function navigation, the four recognition pages, resizing from its own
// edges and the layout of every control on each size change.
//
// Other modules act on the window's controls through hooks keyed by design
// name, so that the shell needs to know nothing of accounts, recognition or
// information windows. All hooks are called on the window thread.
#include <windows.h>

namespace molan::shell {

inline constexpr wchar_t kMainWindowClass[] = L"MoLan.MainWindow";
inline constexpr wchar_t kMainWindowTitle[] = L"墨澜";
inline constexpr int kMainWindowWidth = 1280;
inline constexpr int kMainWindowHeight = 728;

// Registers the class, creates the borderless main window "墨澜" (1280 × 728),
// its controls, and shows it. WM_CREATE creates every control from the
// window's control table and then calls molan::app::onMainWindowCreate(hwnd).
HWND createMainWindow(HINSTANCE instance, int showCommand);

// Start-up step "shell set-up" (called by app::onMainWindowCreate): size
// 1280 × 728, drop shadow RGB(192,192,192) size 4, frame borders
// RGB(177,230,252) on the four canvases and the four result boxes.
void setupMainWindowShell(HWND mainWindow);

// Lets other modules handle clicks: the main window forwards WM_COMMAND from a
// control it does not handle itself to these handlers (by design name of the
// control). A null handler removes the entry.
using CommandHandler = void (*)(HWND mainWindow, HWND control);
void setCommandHandler(const wchar_t* designName, CommandHandler handler);

// Called on every mouse move over the named control (图片框_账户 and
// 透明标签_账户 open the account panel this way).
void setHoverHandler(const wchar_t* designName, CommandHandler handler);

// Items of the menu "设置菜单" ("公告", "版本升级", "反馈留言", "设置", "关于"),
// keyed by item text. An item without a handler does nothing.
using MenuHandler = void (*)(HWND mainWindow);
void setMenuHandler(const wchar_t* itemText, MenuHandler handler);

}  // namespace molan::shell
