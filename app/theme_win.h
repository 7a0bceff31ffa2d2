#pragma once
// The client's look: one palette and one UI face for every window, so the
// main window and the dialogs read as one product.
#include <windows.h>

namespace molan::win::theme {

inline constexpr COLORREF kAccent = RGB(0, 136, 255);        // links, selection, boxes
inline constexpr COLORREF kAccentHot = RGB(36, 156, 255);     // hover
inline constexpr COLORREF kAccentPressed = RGB(0, 112, 214);
inline constexpr COLORREF kWindowBack = RGB(255, 255, 255);
inline constexpr COLORREF kPageBack = RGB(246, 248, 251);
inline constexpr COLORREF kHoverBack = RGB(232, 242, 255);
inline constexpr COLORREF kLine = RGB(229, 232, 238);
inline constexpr COLORREF kText = RGB(38, 38, 38);
inline constexpr COLORREF kTextMuted = RGB(128, 134, 145);
inline constexpr COLORREF kHintText = RGB(192, 192, 192);
inline constexpr COLORREF kErrorText = RGB(255, 0, 0);
inline constexpr COLORREF kShadow = RGB(192, 192, 192);
inline constexpr COLORREF kFrameBorder = RGB(177, 230, 252);

inline constexpr wchar_t kFontFace[] = L"微软雅黑";

// A font of the UI face with the given character height in pixels. Fonts are
// cached for the life of the process; callers never delete them.
HFONT uiFont(int pixelHeight, int weight = FW_NORMAL, bool underline = false);

}  // namespace molan::win::theme
