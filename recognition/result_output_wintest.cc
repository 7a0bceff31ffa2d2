// Copy, export, paste, drop and capture on a real window.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "app/win_handles.h"
#include "recognition/bmp24.h"
#include "recognition/capture_window_win.h"
#include "recognition/files_win.h"
#include "recognition/page_controls_win.h"
#include "recognition/recognition_win.h"
#include "recognition/recognition_wintest_support.h"
#include "recognition/result_output_win.h"
#include "shell/canvas_win.h"

namespace molan::recognition {
namespace {

using testing::MessageBoxCatcher;

std::wstring tempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

Bytes clipboardData(UINT format, size_t unit) {
  Bytes data;
  if (!OpenClipboard(nullptr)) return data;
  if (HANDLE h = GetClipboardData(format)) {
    const auto* p = static_cast<const char*>(GlobalLock(h));
    size_t n = 0;
    while (p && std::memcmp(p + n, "\0\0", unit) != 0) n += unit;
    data.assign(p, n);
    GlobalUnlock(h);
  }
  CloseClipboard();
  return data;
}

bool bmpSize(const Bytes& bmp, int& width, int& height) {
  Bmp24Info info;
  if (!readBmp24Info(bmp, info)) return false;
  width = info.width;
  height = info.height;
  return true;
}

class ResultOutputTest : public ::testing::Test {
 protected:
  testing::PagesWindow pages;
};

TEST_F(ResultOutputTest, CopyPutsUnicodeTextThatIsServedAsGbkToo) {
  const auto kind = RecognitionKind::Standard;
  {
    MessageBoxCatcher catcher;
    setResultText(pageResultBox(kind), "");
    copyResult(kind);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, L"没有数据可复制");
  }
  MessageBoxCatcher catcher;
  setResultText(pageResultBox(kind), "       墨澜ab\r\n   \r\n");
  copyResult(kind);
  ASSERT_EQ(catcher.boxes().size(), 1u);
  EXPECT_EQ(catcher.boxes()[0].text, L"已将右侧结果文本复制到剪辑板");
  const Bytes wide = clipboardData(CF_UNICODETEXT, 2);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / 2), L"       墨澜ab\r\n   \r\n");
  EXPECT_EQ(clipboardData(CF_TEXT, 1), "       墨澜ab\r\n   \r\n");
}

TEST_F(ResultOutputTest, ExportWritesExactBytesAndAlwaysAppendsTxt) {
  EXPECT_EQ(exportPathFor(L"C:\\out\\结果.txt"), L"C:\\out\\结果.txt.txt");
  EXPECT_EQ(exportPathFor(L"C:\\out\\结果"), L"C:\\out\\结果.txt");
  const std::wstring path = tempPath(L"molan_export_test.txt");
  ASSERT_TRUE(writeWholeFile(path, "a much longer first content\r\n"));
  ASSERT_TRUE(writeWholeFile(path, "       墨澜\r\n"));
  EXPECT_EQ(readWholeFile(path), Bytes("       墨澜\r\n"));
  DeleteFileW(path.c_str());
  EXPECT_FALSE(writeWholeFile(tempPath(L"no such folder\\x.txt"), "x"));
  MessageBoxCatcher catcher;
  setResultText(pageResultBox(RecognitionKind::Accurate), "");
  exportResult(RecognitionKind::Accurate);
  ASSERT_EQ(catcher.boxes().size(), 1u);
  EXPECT_EQ(catcher.boxes()[0].text, L"没有数据可导出到文档");
}

TEST_F(ResultOutputTest, PastingABitmapStoresA24BitBmp) {
  const auto kind = RecognitionKind::StandardWithPositions;
  HWND canvas = pageCanvas(kind);
  win::canvasSetPicture(canvas, "previous");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(pastePicture(kind));
  EXPECT_EQ(win::canvasPicture(canvas), "previous");

  win::WindowDc screen(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), 50, 30);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(CF_BITMAP, bitmap));  // the clipboard owns it
  CloseClipboard();
  ASSERT_TRUE(pastePicture(kind));
  int width = 0, height = 0;
  ASSERT_TRUE(bmpSize(win::canvasPicture(canvas), width, height));
  EXPECT_EQ(width, 50);
  EXPECT_EQ(height, 30);
}

TEST_F(ResultOutputTest, ADroppedFileIsImportedUnchanged) {
  const auto kind = RecognitionKind::Accurate;
  attachRecognitionPages(pages.hwnd());
  const std::wstring path = tempPath(L"molan_drop_test.png");
  const Bytes content("\x89PNG\r\n\x1a\n and whatever follows", 28);
  ASSERT_TRUE(writeWholeFile(path, content));
  const size_t size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);  // freed by DragFinish
  auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
  GlobalUnlock(drop);
  SendMessageW(pageCanvas(kind), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(win::canvasPicture(pageCanvas(kind)), content);
  DeleteFileW(path.c_str());
}

LPARAM point(int x, int y) { return MAKELPARAM(x, y); }

HWND captureCanvas() { return GetWindow(captureWindow(), GW_CHILD); }

TEST_F(ResultOutputTest, CaptureCutsTheDraggedRegionFromTheFrozenScreen) {
  const auto kind = RecognitionKind::Accurate;
  HWND canvas = pageCanvas(kind);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const struct {
    const char* name;
    int x0, y0, x1, y1;
    int width, height;
  } cases[] = {
      {"drag", 10, 10, 110, 60, 100, 50},
      {"reverse drag", 110, 60, 10, 10, 100, 50},
      {"cut at the screen's edge", screenWidth - 30, 5, screenWidth + 40, 25, 30, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    startCapture(kind);
    ASSERT_TRUE(captureWindow());
    EXPECT_EQ(captureTarget(), "通用_通用文字识别_高精度");
    SendMessageW(captureCanvas(), WM_MOUSEMOVE, 0, point(c.x0, c.y0));
    SendMessageW(captureCanvas(), WM_LBUTTONDOWN, MK_LBUTTON, point(c.x0, c.y0));
    SendMessageW(captureCanvas(), WM_MOUSEMOVE, MK_LBUTTON, point(c.x1, c.y1));
    SendMessageW(captureCanvas(), WM_LBUTTONUP, 0, point(c.x1, c.y1));
    EXPECT_FALSE(captureWindow());
    int width = 0, height = 0;
    ASSERT_TRUE(bmpSize(win::canvasPicture(canvas), width, height));
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
  }
}

TEST_F(ResultOutputTest, CaptureCancelsOrClears) {
  const auto kind = RecognitionKind::Standard;
  HWND canvas = pageCanvas(kind);
  for (UINT cancel : {WM_KEYDOWN, WM_RBUTTONUP}) {
    win::canvasSetPicture(canvas, "kept");
    startCapture(kind);
    SendMessageW(captureCanvas(), WM_LBUTTONDOWN, MK_LBUTTON, point(5, 5));
    SendMessageW(captureCanvas(), WM_MOUSEMOVE, MK_LBUTTON, point(50, 50));
    SendMessageW(captureCanvas(), cancel, cancel == WM_KEYDOWN ? VK_ESCAPE : 0, point(50, 50));
    EXPECT_FALSE(captureWindow());
    EXPECT_EQ(win::canvasPicture(canvas), "kept");
  }
  startCapture(kind);  // press and release without moving: an empty region
  SendMessageW(captureCanvas(), WM_LBUTTONDOWN, MK_LBUTTON, point(40, 40));
  SendMessageW(captureCanvas(), WM_LBUTTONUP, 0, point(40, 40));
  EXPECT_FALSE(captureWindow());
  EXPECT_EQ(win::canvasPicture(canvas), "");
}

}  // namespace
}  // namespace molan::recognition
