// Wiring of the recognition pages: button handlers, reply handlers, and the
// page canvases' and result boxes' extra input (dropped files, Ctrl+V).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "link/reply_dispatch.h"
#include "recognition/capture_window_win.h"
#include "recognition/page_controls_win.h"
#include "recognition/recognition_win.h"
#include "shell/main_window_win.h"

namespace molan::recognition {
namespace {

constexpr UINT_PTR kSubclassId = 0x5245;  // "RE"

template <RecognitionKind K>
void onPicture(HWND main, HWND) {
  setRecognitionRoot(main);
  importPicture(K);
}
template <RecognitionKind K>
void onCapture(HWND main, HWND) {
  setRecognitionRoot(main);
  startCapture(K);
}
template <RecognitionKind K>
void onRecognize(HWND main, HWND) {
  setRecognitionRoot(main);
  startRecognition(K);
}
template <RecognitionKind K>
void onCopy(HWND main, HWND) {
  setRecognitionRoot(main);
  copyResult(K);
}
template <RecognitionKind K>
void onExport(HWND main, HWND) {
  setRecognitionRoot(main);
  exportResult(K);
}

template <RecognitionKind K>
void bindButtons() {
  shell::setCommandHandler(pageControlNameWide(K, "超级按钮_", "图片").c_str(), &onPicture<K>);
  shell::setCommandHandler(pageControlNameWide(K, "超级按钮_", "截图").c_str(), &onCapture<K>);
  shell::setCommandHandler(pageControlNameWide(K, "超级按钮_", "识别").c_str(), &onRecognize<K>);
  shell::setCommandHandler(pageControlNameWide(K, "超级按钮_", "复制").c_str(), &onCopy<K>);
  shell::setCommandHandler(pageControlNameWide(K, "超级按钮_", "导出").c_str(), &onExport<K>);
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
  bindButtons<RecognitionKind::Standard>();
  bindButtons<RecognitionKind::StandardWithPositions>();
  bindButtons<RecognitionKind::Accurate>();
  bindButtons<RecognitionKind::AccurateWithPositions>();
  for (const RecognitionKindInfo& info : kRecognitionKinds) {
    const RecognitionKind kind = info.kind;
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
