#pragma once
// Pieces of copy and export that tests use directly.
#include <windows.h>

#include <string>

namespace molan::recognition {

// Replaces the clipboard's content with `text` as CF_UNICODETEXT; false when
// the clipboard could not be opened or did not take the text.
bool putTextOnClipboard(HWND owner, const std::wstring& text);
// The export path: the chosen name with ".txt" appended, always.
std::wstring exportPathFor(const std::wstring& chosenName);

}  // namespace molan::recognition
