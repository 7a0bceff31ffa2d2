#include "recognition/recognition_wintest_support.h"

#include "app/control_names_win.h"
#include "app/win_handles.h"
#include "app/window_thread_win.h"
#include "recognition/bmp24.h"
#include "recognition/page_controls_win.h"
#include "recognition/picture_holder_win.h"
#include "shell/canvas_win.h"

namespace molan::recognition::testing {

PagesWindow::PagesWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  ensurePictureLibrary();
  win::initWindowThread();
  win::registerCanvasClass(instance);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"MoLan.RecognitionTestPages";
  RegisterClassW(&wc);
  hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"pages", WS_POPUP | WS_VISIBLE, 0, 0, 1100, 600, nullptr, nullptr,
                          instance, nullptr);
  // Every page's canvas and result box at their initial places; only one
  // page is visible at a time in the client, here they overlap harmlessly.
  for (const RecognitionKindInfo& info : kRecognitionKinds) {
    HWND canvas = CreateWindowExW(0, win::kCanvasClass, L"", WS_CHILD | WS_VISIBLE, 8, 72, 440, 504, hwnd_,
                                  nullptr, instance, nullptr);
    win::setControlName(canvas, pageControlNameWide(info.kind, "画板_", "原图").c_str());
    HWND box = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
                               552, 72, 464, 496, hwnd_, nullptr, instance, nullptr);
    win::setControlName(box, pageControlNameWide(info.kind, "编辑框_", "结果").c_str());
  }
  setRecognitionRoot(hwnd_);
  pumpMessages();
}

PagesWindow::~PagesWindow() {
  setRecognitionRoot(nullptr);
  DestroyWindow(hwnd_);
}

void pumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool pumpUntil(const std::function<bool()>& done, int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (!done()) {
    if (GetTickCount64() > end) return false;
    pumpMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

std::wstring windowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

Pixels paintedPixels(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  Pixels pixels;
  pixels.width = client.right;
  pixels.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), pixels.width, -pixels.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  win::WindowDc screen(nullptr);
  void* bits = nullptr;
  win::UniqueBitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  if (!dib || !memory || !bits) return pixels;
  {
    win::SelectObjectScope select(memory.get(), dib.get());
    SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
  }
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  pixels.data.assign(p, p + static_cast<size_t>(pixels.width) * pixels.height);
  return pixels;
}

Bytes solidBmp(int width, int height, COLORREF color) {
  const size_t stride = bmp24Stride(width);
  Bytes rows(stride * static_cast<size_t>(height), '\0');
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      char* p = rows.data() + stride * y + 3 * x;
      p[0] = static_cast<char>(GetBValue(color));
      p[1] = static_cast<char>(GetGValue(color));
      p[2] = static_cast<char>(GetRValue(color));
    }
  }
  return encodeBmp24(width, height, rows);
}

}  // namespace molan::recognition::testing
