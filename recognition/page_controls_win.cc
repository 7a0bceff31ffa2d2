#include "recognition/page_controls_win.h"

#include <atomic>

#include "app/control_names_win.h"
#include "app/gbk_win.h"
#include "shell/main_window_win.h"

namespace molan::recognition {
namespace {

std::atomic<HWND> gRoot{nullptr};

BOOL CALLBACK findMainWindow(HWND hwnd, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t cls[64] = {};
  if (process == GetCurrentProcessId() && GetClassNameW(hwnd, cls, 64) && lstrcmpW(cls, shell::kMainWindowClass) == 0) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void setRecognitionRoot(HWND root) { gRoot = root; }

HWND recognitionRoot() {
  HWND root = gRoot;
  if (root && IsWindow(root)) return root;
  HWND found = nullptr;
  EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring pageControlNameWide(RecognitionKind kind, BytesView prefix, BytesView role) {
  return win::toWide(pageControlName(prefix, kind, role));
}

HWND pageControl(RecognitionKind kind, BytesView prefix, BytesView role) {
  HWND root = recognitionRoot();
  return root ? win::findControlByName(root, pageControlNameWide(kind, prefix, role).c_str()) : nullptr;
}

HWND pageCanvas(RecognitionKind kind) { return pageControl(kind, "画板_", "原图"); }
HWND pageResultBox(RecognitionKind kind) { return pageControl(kind, "编辑框_", "结果"); }

void setResultText(HWND box, BytesView gbk) { SetWindowTextW(box, win::toWide(gbk).c_str()); }

void appendResultText(HWND box, BytesView gbk) {
  // Results of thousands of lines exceed the edit box's default limit.
  SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
  const int end = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
  SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(win::toWide(gbk).c_str()));
}

}  // namespace molan::recognition
