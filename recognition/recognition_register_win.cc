// Wiring of the recognition pages: button handlers, reply handlers, and the
// page canvases' and result boxes' extra input (dropped files, Ctrl+V).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/control_names_win.h"
#include "link/reply_dispatch.h"
#include "recognition/capture_window_win.h"
#include "recognition/page_controls_win.h"
#include "recognition/recognition_win.h"
#include "shell/main_window_win.h"

namespace molan::recognition {
namespace {

constexpr UINT_PTR kSubclassId = 0x5245;  // "RE"

// The five buttons of a page and what each runs; the kind comes from the
// button's design name, so one handler serves all twenty buttons.
struct PageAction {
  const char* role;
  void (*run)(RecognitionKind);
};
constexpr PageAction kPageActions[] = {
    {"图片", importPicture}, {"截图", startCapture}, {"识别", startRecognition},
    {"复制", copyResult},    {"导出", exportResult},
};

void onPageButton(HWND main, HWND button) {
  setRecognitionRoot(main);
  const std::wstring name = win::controlName(button);
  for (const RecognitionKindInfo& info : kRecognitionKinds) {
    for (const PageAction& action : kPageActions) {
      if (name == pageControlNameWide(info.kind, "超级按钮_", action.role)) return action.run(info.kind);
    }
  }
}

bool ctrlHeld() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

bool clipboardHoldsText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

void onDropFiles(RecognitionKind kind, HDROP drop) {
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  if (length > 0) {
    std::wstring path(length + 1, L'\0');
    path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
    importPictureFile(kind, path);
  }
  DragFinish(drop);
}

// Page canvas: a dropped file is imported; a click gives it the keyboard so
// Ctrl+V can paste a picture onto it.
LRESULT CALLBACK canvasSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  const auto kind = static_cast<RecognitionKind>(data);
  switch (msg) {
    case WM_DROPFILES: onDropFiles(kind, reinterpret_cast<HDROP>(wp)); return 0;
    case WM_LBUTTONDOWN: SetFocus(hwnd); break;
    case WM_KEYDOWN:
      if (wp == 'V' && ctrlHeld() && pastePicture(kind)) return 0;
      break;
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, canvasSubclass, kSubclassId); break;
    default: break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// Result box: pasting while the clipboard holds a picture and no text puts
// the picture on the page; text is pasted as usual.
LRESULT CALLBACK resultBoxSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_PASTE && !clipboardHoldsText() && pastePicture(static_cast<RecognitionKind>(data))) return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, resultBoxSubclass, kSubclassId);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void registerRecognition() {
  for (const RecognitionKindInfo& info : kRecognitionKinds) {
    const RecognitionKind kind = info.kind;
    for (const PageAction& action : kPageActions) {
      shell::setCommandHandler(pageControlNameWide(kind, "超级按钮_", action.role).c_str(), &onPageButton);
    }
    replyDispatch().setHandler(info.replyName, [kind](const Bytes& frame) { handleRecognitionReply(kind, frame); });
  }
}

void attachRecognitionPages(HWND mainWindow) {
  setRecognitionRoot(mainWindow);
  for (const RecognitionKindInfo& info : kRecognitionKinds) {
    const auto data = static_cast<DWORD_PTR>(info.kind);
    if (HWND canvas = pageCanvas(info.kind)) {
      DragAcceptFiles(canvas, TRUE);
      SetWindowSubclass(canvas, canvasSubclass, kSubclassId, data);
    }
    if (HWND box = pageResultBox(info.kind)) SetWindowSubclass(box, resultBoxSubclass, kSubclassId, data);
  }
}

}  // namespace molan::recognition
