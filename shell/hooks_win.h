#pragma once
// Handlers that other modules register for the main window's controls and
// menu items (see main_window_win.h), looked up by design name or item text.
#include <string>

#include "shell/main_window_win.h"

namespace molan::shell {

CommandHandler commandHandlerFor(const std::wstring& designName);
CommandHandler hoverHandlerFor(const std::wstring& designName);
MenuHandler menuHandlerFor(const std::wstring& itemText);

}  // namespace molan::shell
