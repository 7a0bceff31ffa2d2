#pragma once
// Finding windows of another process: top-level windows by exact title,
// controls by design name (the "MoLan.Name" property), by "#<id>" or by caption.
#include <windows.h>

#include <string>
#include <vector>

namespace molan::uidriver {

// A bound on a wait, in GetTickCount milliseconds.
class Deadline {
 public:
  explicit Deadline(DWORD ms) : start_(GetTickCount()), ms_(ms) {}
  bool passed() const { return GetTickCount() - start_ >= ms_; }

 private:
  DWORD start_;
  DWORD ms_;
};

inline constexpr DWORD kPollMs = 50;
inline constexpr UINT kSendTimeoutMs = 2000;  // one cross-process SendMessageTimeout

// The text of any window, also another process's EDIT (WM_GETTEXT, bounded).
std::wstring windowText(HWND hwnd);
std::wstring className(HWND hwnd);
std::wstring designName(HWND hwnd);  // empty when the window carries none

bool isMessageBox(HWND hwnd);

// Top-level window with exactly this title: visible ones first, message
// boxes last. Null when there is none.
HWND findTopLevel(const std::wstring& title);
// Waits (polling) for a visible one; null after the timeout.
HWND waitTopLevel(const std::wstring& title, DWORD timeoutMs);

std::vector<HWND> descendants(HWND root);  // depth-first, in Z order
// Design name first, then "#<decimal id>", then caption; visible ones first.
HWND findControl(HWND root, const std::wstring& control);

// Finds the window and the control, reporting what is missing on stderr.
// Returns false (and has printed why) when either is not there in time.
bool locate(const std::wstring& title, const std::wstring& control, DWORD timeoutMs, HWND& window, HWND& found);

}  // namespace molan::uidriver
