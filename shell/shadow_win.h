#pragma once
// Decorations of frameless windows: a click-through drop shadow around a
// top-level window (AttachShadow) and a one-pixel frame border around a child
// control (AttachFrameBorder). Both replace the window procedure of the
// decorated window, pass every message on to the previous one, and keep all
// their state in window properties.
#include <windows.h>

#include <cstdint>

namespace molan::shell {

inline constexpr wchar_t kShadowClass[] = L"Lumbra.Shadow";
inline constexpr wchar_t kShadowProp[] = L"Lumbra.WndShadow";
inline constexpr wchar_t kShadowProcProp[] = L"Lumbra.WndShadow.Proc";
inline constexpr wchar_t kShadowColorProp[] = L"Lumbra.WndShadow.Color";
inline constexpr wchar_t kShadowSizeProp[] = L"Lumbra.WndShadow.Size";
inline constexpr wchar_t kBorderProcProp[] = L"OrigProcAddr";
inline constexpr wchar_t kBorderColorProp[] = L"Color";

// Gives `window` a shadow of `color` and `size` pixels; size ≤ 0 removes it
// and puts the previous window procedure back (answers false). False also
// when `window` is no window or the shadow window cannot be created.
bool AttachShadow(HWND window, COLORREF color, int size);
// Shows, hides, moves, sizes and repaints the shadow of `window`. Without
// `visibleGiven` the window's own visibility is used.
void UpdateShadow(HWND window, bool visible, bool visibleGiven);
// Draws the ring into the 32-bit image selected into `surface` (w × h).
void PaintShadow(HWND shadow, HDC surface, int width, int height);
// Frames the child control with a one-pixel border of `color`, once.
void AttachFrameBorder(HWND control, COLORREF color);

// Sees every image pushed to a shadow window, just before it is released:
// premultiplied 0xAARRGGBB pixels, bottom row first (the image is bottom-up).
using ShadowImageObserver = void (*)(HWND shadow, const std::uint32_t* pixels, int width, int height);
void setShadowImageObserver(ShadowImageObserver observer);

}  // namespace molan::shell
