#pragma once
// The canvas control (画板): shows a background picture centred and, when it
// is larger than the canvas, scaled down by one factor to fit (never
// enlarged), and draws rectangles and text over it. It keeps the picture's
// bytes exactly as stored, so reading the picture back gives those bytes.
// All calls are made on the window thread.
#include <windows.h>

#include <string>

#include "link/bytes.h"

namespace molan::win {

inline constexpr wchar_t kCanvasClass[] = L"MoLan.Canvas";

// Registers the window class once per process.
bool registerCanvasClass(HINSTANCE instance);

// Stores `bytes` as the background picture (empty: no picture) and repaints.
// Bytes that are no decodable picture are kept but show nothing.
void canvasSetPicture(HWND canvas, Bytes bytes);
Bytes canvasPicture(HWND canvas);

// Drawings are kept in order and painted over the picture until cleared.
void canvasClearDrawings(HWND canvas);
void canvasDrawRect(HWND canvas, const RECT& rect, COLORREF color, int penWidth);
void canvasFillRect(HWND canvas, const RECT& rect, COLORREF color);
void canvasDrawText(HWND canvas, int x, int y, const std::wstring& text, COLORREF color, HFONT font);

}  // namespace molan::win
