#pragma once
// The controls of the recognition pages, found by design name on the main
// window, and the result box's text operations. Control lookups work from any
// thread; text changes are made on the window thread by the callers.
#include <windows.h>

#include <string>

#include "link/bytes.h"
#include "recognition/recognition_kind.h"

namespace molan::recognition {

// The window that holds the pages: set when the pages are attached (or by a
// test); until then the main window of this process, found by its class.
void setRecognitionRoot(HWND root);
HWND recognitionRoot();

// e.g. pageControl(kind, "画板_", "原图") -> 画板_通用_通用文字识别_标准_原图.
HWND pageControl(RecognitionKind kind, BytesView prefix, BytesView role);
HWND pageCanvas(RecognitionKind kind);
HWND pageResultBox(RecognitionKind kind);
std::wstring pageControlNameWide(RecognitionKind kind, BytesView prefix, BytesView role);

// Result box text, GBK on our side. Window thread only.
void setResultText(HWND box, BytesView gbk);
void appendResultText(HWND box, BytesView gbk);

}  // namespace molan::recognition
