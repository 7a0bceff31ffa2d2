#pragma once
// Whole-file reads and writes with wide paths (a chosen file may have any
// name), the user's desktop folder and the file dialogs that start there.
#include <windows.h>

#include <optional>
#include <string>

#include "link/bytes.h"

namespace molan::recognition {

std::optional<Bytes> readWholeFile(const std::wstring& path);
// Creates the file or replaces its content with exactly `bytes`.
bool writeWholeFile(const std::wstring& path, BytesView bytes);
// The desktop folder with a trailing backslash; empty when unknown.
std::wstring desktopFolder();

enum class FileDialog { Open, Save };
// The file named in the open or save dialog (filter: pairs of NUL-ended texts),
// which starts in the desktop folder; empty when the user cancels.
std::wstring chooseFile(HWND owner, FileDialog kind, const wchar_t* filter);

}  // namespace molan::recognition
