#include "account/validity_mark_win.h"

#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>

#include "app/theme_win.h"
#include "app/win_handles.h"

namespace molan::account {
namespace {

constexpr wchar_t kStateProp[] = L"MoLan.ValidityMark.State";
const Gdiplus::Color kCheckGreen(255, 34, 177, 76);
const Gdiplus::Color kCrossRed(255, 232, 44, 44);

// A filled disc with a white check mark or a white cross.
void drawPicture(Gdiplus::Graphics& g, float x, float y, float size, ValidityMark state) {
  const bool valid = state == ValidityMark::Valid;
  Gdiplus::SolidBrush disc(valid ? kCheckGreen : kCrossRed);
  const float inset = size * 0.08f;
  g.FillEllipse(&disc, x + inset, y + inset, size - 2 * inset, size - 2 * inset);
  Gdiplus::Pen pen(Gdiplus::Color(255, 255, 255, 255), std::max(2.0f, size / 9.0f));
  pen.SetStartCap(Gdiplus::LineCapRound);
  pen.SetEndCap(Gdiplus::LineCapRound);
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  auto at = [&](float fx, float fy) { return Gdiplus::PointF(x + fx * size, y + fy * size); };
  if (valid) {
    const Gdiplus::PointF tick[] = {at(0.28f, 0.52f), at(0.44f, 0.68f), at(0.73f, 0.36f)};
    g.DrawLines(&pen, tick, 3);
  } else {
    g.DrawLine(&pen, at(0.34f, 0.34f), at(0.66f, 0.66f));
    g.DrawLine(&pen, at(0.66f, 0.34f), at(0.34f, 0.66f));
  }
}

void paint(HWND hwnd) {
  win::PaintDc dc(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  // Paint on the parent's background, through a memory image so there is no flicker.
  win::UniqueMemoryDc memory(CreateCompatibleDC(dc.get()));
  win::UniqueBitmap image(CreateCompatibleBitmap(dc.get(), client.right, client.bottom));
  if (!memory || !image) return;
  win::SelectObjectScope keep(memory.get(), image.get());
  win::UniqueBrush back(CreateSolidBrush(win::theme::kWindowBack));
  FillRect(memory.get(), &client, back.get());
  drawValidityMark(memory.get(), client, validityMarkOf(hwnd));
  BitBlt(dc.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK markProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_NCDESTROY: RemovePropW(hwnd, kStateProp); break;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

bool registerValidityMarkClass(HINSTANCE instance) {
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, kValidityMarkClass, &existing)) return true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = markProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kValidityMarkClass;
  return RegisterClassW(&wc) != 0;
}

void setValidityMark(HWND mark, ValidityMark state) {
  if (state == validityMarkOf(mark)) return;
  SetPropW(mark, kStateProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(state)));
  InvalidateRect(mark, nullptr, FALSE);
}

ValidityMark validityMarkOf(HWND mark) {
  return static_cast<ValidityMark>(reinterpret_cast<UINT_PTR>(GetPropW(mark, kStateProp)));
}

void drawValidityMark(HDC dc, const RECT& area, ValidityMark state) {
  if (state == ValidityMark::None) return;
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  const float size = static_cast<float>(std::min(area.right - area.left, area.bottom - area.top));
  drawPicture(g, static_cast<float>(area.left), static_cast<float>(area.top), size, state);
}

}  // namespace molan::account
