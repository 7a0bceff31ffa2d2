// 图片, dropped files and Ctrl+V: ways a picture reaches a page. The bytes of
// a file are stored exactly as read; a pasted bitmap becomes a 24-bit BMP.
#include <windows.h>

#include "app/win_handles.h"
#include "recognition/files_win.h"
#include "recognition/page_controls_win.h"
#include "recognition/recognition_win.h"
#include "recognition/screen_bmp_win.h"
#include "shell/canvas_win.h"

namespace molan::recognition {
namespace {

// "Windows bitmaps(*.bmp)|*.bmp|JPEG images(*.jpg)|*.jpg|PNG images(*.png)|*.png|All files(*.*)|*.*"
constexpr wchar_t kOpenFilter[] =
    L"Windows bitmaps(*.bmp)\0*.bmp\0JPEG images(*.jpg)\0*.jpg\0PNG images(*.png)\0*.png\0All files(*.*)\0*.*\0";

// Holds the clipboard open for a scope.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

void importPictureFile(RecognitionKind kind, const std::wstring& path) {
  win::canvasSetPicture(pageCanvas(kind), readWholeFile(path).value_or(Bytes{}));
}

void importPicture(RecognitionKind kind) {
  const std::wstring path = chooseFile(recognitionRoot(), FileDialog::Open, kOpenFilter);
  if (!path.empty()) importPictureFile(kind, path);
}

bool pastePicture(RecognitionKind kind) {
  if (!IsClipboardFormatAvailable(CF_BITMAP) && !IsClipboardFormatAvailable(CF_DIB)) return false;
  Bytes bmp;
  {
    ClipboardScope clipboard(recognitionRoot());
    if (!clipboard.open()) return false;
    bmp = bitmapToBmp24(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)));
  }
  if (bmp.empty()) return false;
  win::canvasSetPicture(pageCanvas(kind), std::move(bmp));
  return true;
}

}  // namespace molan::recognition
