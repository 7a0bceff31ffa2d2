#include "recognition/capture_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>

#include "app/control_names_win.h"
#include "app/theme_win.h"
#include "recognition/bmp24.h"
#include "recognition/page_controls_win.h"
#include "recognition/screen_bmp_win.h"
#include "shell/canvas_win.h"

namespace molan::recognition {
namespace {

constexpr COLORREF kOutline = RGB(0, 136, 255);
constexpr COLORREF kCoordinateBack = RGB(96, 96, 96);
constexpr COLORREF kCaptionText = RGB(255, 255, 255);
constexpr int kTextHeight = 16;
constexpr UINT_PTR kSubclassId = 1;

// CaptureTarget and CaptureDrag, plus the frozen snapshot the cut is taken from.
struct CaptureState {
  Bytes target;
  Bytes snapshot;
  HWND window = nullptr;
  HWND canvas = nullptr;
  bool dragging = false;
  int startX = 0, startY = 0, currentX = 0, currentY = 0;
};
CaptureState gCapture;  // window thread only

void closeCapture() {
  if (GetCapture() == gCapture.canvas) ReleaseCapture();
  if (gCapture.window) DestroyWindow(gCapture.window);
  gCapture.window = gCapture.canvas = nullptr;
  gCapture.dragging = false;
  gCapture.snapshot.clear();
}

void onPress(int x, int y) {
  win::canvasClearDrawings(gCapture.canvas);
  gCapture.dragging = true;
  gCapture.startX = gCapture.currentX = x;
  gCapture.startY = gCapture.currentY = y;
  SetCapture(gCapture.canvas);
}

void onMove(int x, int y) {
  HWND canvas = gCapture.canvas;
  HFONT font = win::theme::uiFont(kTextHeight);
  win::canvasClearDrawings(canvas);
  win::canvasFillRect(canvas, RECT{x, y + 16, x + 160, y + 48}, kCoordinateBack);
  win::canvasDrawText(canvas, x + 8, y + 20, L"坐标：(" + std::to_wstring(x) + L"," + std::to_wstring(y) + L")",
                      kCaptionText, font);
  if (!gCapture.dragging) return;
  gCapture.currentX = x;
  gCapture.currentY = y;
  const std::wstring size =
      std::to_wstring(std::abs(x - gCapture.startX)) + L" x " + std::to_wstring(std::abs(y - gCapture.startY));
  win::canvasDrawText(canvas, std::min(gCapture.startX, x), std::min(gCapture.startY, y) - 24, size, kCaptionText,
                      font);
  win::canvasDrawRect(canvas, RECT{gCapture.startX, gCapture.startY, x, y}, kOutline, 1);
}

void onRelease() {
  // A release without a press on this canvas (a button still held when the
  // window opened) is not a cut.
  if (!gCapture.dragging) return;
  gCapture.dragging = false;
  const int left = std::min(gCapture.startX, gCapture.currentX);
  const int top = std::min(gCapture.startY, gCapture.currentY);
  const int right = std::max(gCapture.startX, gCapture.currentX);
  const int bottom = std::max(gCapture.startY, gCapture.currentY);
  if (const auto kind = kindOfPageName(gCapture.target)) {
    // Cut from the frozen snapshot, clipped to the screen; an empty region
    // leaves the page without a picture.
    win::canvasSetPicture(pageCanvas(*kind), cropBmp24(gCapture.snapshot, left, top, right, bottom));
  }
  closeCapture();
}

LRESULT CALLBACK canvasSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  const int x = static_cast<short>(LOWORD(lp));
  const int y = static_cast<short>(HIWORD(lp));
  switch (msg) {
    case WM_LBUTTONDOWN: onPress(x, y); return 0;
    case WM_MOUSEMOVE: onMove(x, y); return 0;
    case WM_LBUTTONUP: onRelease(); return 0;
    case WM_RBUTTONUP: closeCapture(); return 0;
    case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, IDC_CROSS)); return TRUE;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) {
        closeCapture();
        return 0;
      }
      break;
    case WM_NCDESTROY: RemoveWindowSubclass(hwnd, canvasSubclass, kSubclassId); break;
    default: break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK captureWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
    closeCapture();
    return 0;
  }
  if (msg == WM_SETFOCUS && gCapture.canvas) {
    SetFocus(gCapture.canvas);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool registerCaptureClass(HINSTANCE instance) {
  static std::once_flag once;
  std::call_once(once, [instance] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = captureWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    wc.lpszClassName = kCaptureWindowClass;
    RegisterClassExW(&wc);
    win::registerCanvasClass(instance);
  });
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  return GetClassInfoExW(instance, kCaptureWindowClass, &existing) != FALSE;
}

// Opens the capture window over the screen, showing `snapshot` one to one.
bool openCaptureWindow(int width, int height, Bytes snapshot) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!registerCaptureClass(instance)) return false;
  HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCaptureWindowClass, L"截图", WS_POPUP, 0, 0, width,
                                height, nullptr, nullptr, instance, nullptr);
  if (!window) return false;
  HWND canvas = CreateWindowExW(0, win::kCanvasClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, width, height, window,
                                nullptr, instance, nullptr);
  if (!canvas) {
    DestroyWindow(window);
    return false;
  }
  win::setControlName(canvas, L"画板_截图");
  SetWindowSubclass(canvas, canvasSubclass, kSubclassId, 0);
  gCapture.window = window;
  gCapture.canvas = canvas;
  gCapture.dragging = false;
  win::canvasSetPicture(canvas, snapshot);
  gCapture.snapshot = std::move(snapshot);
  ShowWindow(window, SW_SHOW);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(window);
  SetFocus(canvas);
  return true;
}

}  // namespace

Bytes captureTarget() { return gCapture.target; }
HWND captureWindow() { return gCapture.window; }

void startCapture(RecognitionKind kind) {
  closeCapture();
  gCapture.target = Bytes(kindInfo(kind).pageName);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HWND main = recognitionRoot();
  if (main) ShowWindow(main, SW_MINIMIZE);
  Bytes snapshot = snapshotScreenBmp(width, height);
  if (main) ShowWindow(main, SW_SHOWNORMAL);
  openCaptureWindow(width, height, std::move(snapshot));
}

}  // namespace molan::recognition
