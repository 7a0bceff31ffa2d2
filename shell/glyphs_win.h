#pragma once
// The main window's pictures, drawn by code at their pixel size: the product
// icon (32 × 32), the picture buttons' glyphs (16 × 16, normal and hot), the
// function marker (24 × 48) and the account picture (24 × 24).
#include <windows.h>

namespace molan::shell {

enum class Glyph { None, Share, Message, Menu, Minimize, Maximize, Restore, Close, ProductIcon, Marker, Account };

SIZE glyphSize(Glyph glyph);
// A cached premultiplied 32-bit picture; owned by the cache for the process.
HBITMAP glyphBitmap(Glyph glyph, bool hot);
// Draws the picture with its alpha at (x, y).
void drawGlyph(HDC dc, Glyph glyph, bool hot, int x, int y);

}  // namespace molan::shell
