#pragma once
// 截图: CaptureWindow, a top-most window over the whole primary screen whose
// one canvas (画板_截图) shows a frozen snapshot of the screen. The user drags
// a rectangle; on release the rectangle, cut from the frozen snapshot, becomes
// the picture of the page that started the capture. Esc or a right click
// cancels and leaves the page as it was.
#include <windows.h>

#include "link/bytes.h"
#include "recognition/recognition_kind.h"

namespace molan::recognition {

inline constexpr wchar_t kCaptureWindowClass[] = L"MoLan.CaptureWindow";

// Returns as soon as the capture window is shown; the cut arrives later.
void startCapture(RecognitionKind kind);
// The page name the next cut goes to (CaptureTarget); empty before any capture.
Bytes captureTarget();
// The open capture window, if any (tests drive it with mouse messages).
HWND captureWindow();

}  // namespace molan::recognition
