#pragma once
// Message boxes of another process: found by class "#32770" with a text at
// control id 0xFFFF; their icon is told apart by its pixels, because icon
// handles are per process under Wine.
#include <windows.h>

#include <string>
#include <vector>

namespace molan::uidriver {

struct MessageBoxButton {
  int id = 0;
  std::wstring caption;
  HWND hwnd = nullptr;
};

struct MessageBoxView {
  HWND hwnd = nullptr;
  std::wstring title;
  std::wstring text;
  std::wstring icon;  // information, warning, error, question, none or unknown
  std::vector<MessageBoxButton> buttons;
};

// The current message box (the foreground one if several), optionally only
// one with this title; waits up to the timeout. Null hwnd when there is none.
MessageBoxView waitMessageBox(const std::wstring& title, DWORD timeoutMs);

// "information", "warning", "error", "question", "none" or "unknown".
std::wstring messageBoxIcon(HWND box);

// A button by id ("1") or caption ("确定", "是", "是(&Y)" all match "是(&Y)").
const MessageBoxButton* findButton(const MessageBoxView& box, const std::wstring& which);

}  // namespace molan::uidriver
