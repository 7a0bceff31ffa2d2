#include "shell/glyphs_win.h"

#include <windows.h>
#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>

#include <cstring>
#include <map>
#include <utility>

#include "app/theme_win.h"
#include "app/win_handles.h"
#include "shell/product_mark.h"

namespace molan::shell {
namespace {

using Gdiplus::PointF;
using Gdiplus::REAL;

Gdiplus::Color argb(COLORREF c, BYTE alpha = 255) {
  return Gdiplus::Color(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF glyphColor(Glyph glyph, bool hot) {
  if (!hot) return RGB(92, 99, 112);
  return glyph == Glyph::Close ? RGB(235, 64, 52) : win::theme::kAccent;
}

void drawLines(Gdiplus::Graphics& g, const Gdiplus::Pen& pen, std::initializer_list<std::pair<PointF, PointF>> lines) {
  for (const auto& [a, b] : lines) g.DrawLine(&pen, a, b);
}

void drawButtonGlyph(Gdiplus::Graphics& g, Glyph glyph, bool hot) {
  Gdiplus::Pen pen(argb(glyphColor(glyph, hot)), 1.5f);
  pen.SetStartCap(Gdiplus::LineCapRound);
  pen.SetEndCap(Gdiplus::LineCapRound);
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  switch (glyph) {
    case Glyph::Minimize: drawLines(g, pen, {{{3, 8.5f}, {13, 8.5f}}}); break;
    case Glyph::Maximize: g.DrawRectangle(&pen, 3.0f, 3.0f, 10.0f, 10.0f); break;
    case Glyph::Restore:
      g.DrawRectangle(&pen, 2.5f, 5.5f, 8.0f, 8.0f);
      drawLines(g, pen, {{{5.5f, 2.5f}, {13.5f, 2.5f}}, {{13.5f, 2.5f}, {13.5f, 10.5f}}});
      break;
    case Glyph::Close: drawLines(g, pen, {{{3.5f, 3.5f}, {12.5f, 12.5f}}, {{12.5f, 3.5f}, {3.5f, 12.5f}}}); break;
    case Glyph::Menu:
      drawLines(g, pen, {{{2.5f, 4}, {13.5f, 4}}, {{2.5f, 8}, {13.5f, 8}}, {{2.5f, 12}, {13.5f, 12}}});
      break;
    case Glyph::Message: {
      Gdiplus::GraphicsPath path;
      path.AddArc(1.5f, 3.0f, 4.0f, 4.0f, 180, 90);
      path.AddArc(10.5f, 3.0f, 4.0f, 4.0f, 270, 90);
      path.AddArc(10.5f, 9.0f, 4.0f, 4.0f, 0, 90);
      path.AddArc(1.5f, 9.0f, 4.0f, 4.0f, 90, 90);
      path.CloseFigure();
      g.DrawPath(&pen, &path);
      drawLines(g, pen, {{{3.5f, 5.5f}, {8, 8.8f}}, {{8, 8.8f}, {12.5f, 5.5f}}});
      break;
    }
    case Glyph::Share: {
      drawLines(g, pen, {{{4.5f, 8}, {11.5f, 4}}, {{4.5f, 8}, {11.5f, 12}}});
      Gdiplus::SolidBrush brush(argb(glyphColor(glyph, hot)));
      for (const PointF& p : {PointF(4, 8), PointF(12, 3.5f), PointF(12, 12.5f)}) {
        g.FillEllipse(&brush, p.X - 2.25f, p.Y - 2.25f, 4.5f, 4.5f);
      }
      break;
    }
    default: break;
  }
}

// The marker stands beside the current function's entry and continues its
// highlight to the left, with an accent bar.
void drawMarker(Gdiplus::Graphics& g) {
  Gdiplus::SolidBrush highlight(argb(win::theme::kHoverBack));
  g.FillRectangle(&highlight, 0, 0, 24, 48);
  Gdiplus::SolidBrush brush(argb(win::theme::kAccent));
  Gdiplus::GraphicsPath bar;
  const REAL x = 6, y = 14, w = 4, h = 20, r = 2;
  bar.AddArc(x, y, 2 * r, 2 * r, 180, 90);
  bar.AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
  bar.AddArc(x + w - 2 * r, y + h - 2 * r, 2 * r, 2 * r, 0, 90);
  bar.AddArc(x, y + h - 2 * r, 2 * r, 2 * r, 90, 90);
  bar.CloseFigure();
  g.FillPath(&brush, &bar);
}

void drawAccount(Gdiplus::Graphics& g) {
  Gdiplus::SolidBrush back(argb(win::theme::kHoverBack));
  g.FillEllipse(&back, 0.5f, 0.5f, 23.0f, 23.0f);
  Gdiplus::SolidBrush figure(argb(win::theme::kAccent));
  g.FillEllipse(&figure, 8.0f, 5.0f, 8.0f, 8.0f);
  g.FillPie(&figure, 4.5f, 14.0f, 15.0f, 14.0f, 180.0f, 180.0f);
}

void copyProductMark(void* bits, int size) {
  const auto pixels = renderProductMark(size);
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof(pixels[0]));
}

win::UniqueBitmap render(Glyph glyph, bool hot) {
  const SIZE size = glyphSize(glyph);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = size.cx;
  bi.bmiHeader.biHeight = -size.cy;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  win::UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return bitmap;
  if (glyph == Glyph::ProductIcon) {
    copyProductMark(bits, size.cx);
    return bitmap;
  }
  Gdiplus::Bitmap target(size.cx, size.cy, size.cx * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
  Gdiplus::Graphics g(&target);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  if (glyph == Glyph::Marker) {
    drawMarker(g);
  } else if (glyph == Glyph::Account) {
    drawAccount(g);
  } else {
    drawButtonGlyph(g, glyph, hot);
  }
  return bitmap;
}

}  // namespace

SIZE glyphSize(Glyph glyph) {
  switch (glyph) {
    case Glyph::ProductIcon: return {32, 32};
    case Glyph::Marker: return {24, 48};
    case Glyph::Account: return {24, 24};
    case Glyph::None: return {0, 0};
    default: return {16, 16};
  }
}

HBITMAP glyphBitmap(Glyph glyph, bool hot) {
  static std::map<std::pair<Glyph, bool>, win::UniqueBitmap> cache;  // window thread only
  if (glyph == Glyph::None) return nullptr;
  auto& slot = cache[{glyph, hot}];
  if (!slot) slot = render(glyph, hot);
  return slot.get();
}

void drawGlyph(HDC dc, Glyph glyph, bool hot, int x, int y) {
  const HBITMAP bitmap = glyphBitmap(glyph, hot);
  if (!bitmap) return;
  const SIZE size = glyphSize(glyph);
  win::UniqueMemoryDc memory(CreateCompatibleDC(dc));
  win::SelectObjectScope select(memory.get(), bitmap);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, size.cx, size.cy, memory.get(), 0, 0, size.cx, size.cy, blend);
}

}  // namespace molan::shell
