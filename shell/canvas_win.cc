#include "shell/canvas_win.h"

#include <windows.h>
#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>
#include <shlwapi.h>

#include <memory>
#include <vector>

#include "app/theme_win.h"
#include "app/win_handles.h"
#include "shell/canvas_fit.h"

namespace molan::win {
namespace {

struct Drawing {
  enum class Kind { Outline, Fill, Text } kind;
  RECT rect;
  COLORREF color;
  int penWidth;
  std::wstring text;
  HFONT font;
};

// Everything a canvas holds; owned by the window (GWLP_USERDATA), freed on WM_NCDESTROY.
struct CanvasState {
  Bytes picture;
  std::unique_ptr<Gdiplus::Bitmap> image;  // decoded copy for display; null when undecodable
  std::vector<Drawing> drawings;
};

CanvasState* stateOf(HWND canvas) {
  wchar_t cls[32] = {};
  if (!IsWindow(canvas) || !GetClassNameW(canvas, cls, 32) || lstrcmpW(cls, kCanvasClass) != 0) return nullptr;
  return reinterpret_cast<CanvasState*>(GetWindowLongPtrW(canvas, GWLP_USERDATA));
}

// Decodes from a stream over a copy of the bytes into a bitmap that owns its
// pixels, so neither the stream nor the bytes need to outlive the call.
std::unique_ptr<Gdiplus::Bitmap> decode(const Bytes& bytes) {
  if (bytes.empty()) return nullptr;
  IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  if (!stream) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream));
  std::unique_ptr<Gdiplus::Bitmap> copy;
  if (decoded && decoded->GetLastStatus() == Gdiplus::Ok && decoded->GetWidth() > 0 && decoded->GetHeight() > 0) {
    const auto w = static_cast<INT>(decoded->GetWidth());
    const auto h = static_cast<INT>(decoded->GetHeight());
    copy = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppPARGB);
    Gdiplus::Graphics g(copy.get());
    g.DrawImage(decoded.get(), 0, 0, w, h);
  }
  decoded.reset();
  stream->Release();
  return copy && copy->GetLastStatus() == Gdiplus::Ok ? std::move(copy) : nullptr;
}

void paintPicture(HDC dc, const CanvasState& state, int cw, int ch) {
  if (!state.image) return;
  const auto pw = static_cast<int>(state.image->GetWidth());
  const auto ph = static_cast<int>(state.image->GetHeight());
  const shell::PictureFit fit = shell::fitPicture(cw, ch, pw, ph);
  Gdiplus::Graphics g(dc);
  g.SetInterpolationMode(fit.scale < 1.0f ? Gdiplus::InterpolationModeHighQualityBicubic
                                          : Gdiplus::InterpolationModeNearestNeighbor);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  g.DrawImage(state.image.get(), Gdiplus::Rect(fit.x, fit.y, fit.width, fit.height), 0, 0, pw, ph,
              Gdiplus::UnitPixel);
}

void paintDrawing(HDC dc, const Drawing& d) {
  switch (d.kind) {
    case Drawing::Kind::Outline: {
      UniquePen pen(CreatePen(PS_SOLID, d.penWidth, d.color));
      SelectObjectScope usePen(dc, pen.get());
      SelectObjectScope noFill(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, d.rect.left, d.rect.top, d.rect.right, d.rect.bottom);
      break;
    }
    case Drawing::Kind::Fill: {
      UniqueBrush brush(CreateSolidBrush(d.color));
      FillRect(dc, &d.rect, brush.get());
      break;
    }
    case Drawing::Kind::Text: {
      SelectObjectScope useFont(dc, d.font ? d.font : theme::uiFont(16));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, d.color);
      TextOutW(dc, d.rect.left, d.rect.top, d.text.c_str(), static_cast<int>(d.text.size()));
      break;
    }
  }
}

// Composes background, picture and drawings off screen, then copies them to `dc` at once.
void paintInto(HWND canvas, HDC dc) {
  const CanvasState* state = stateOf(canvas);
  RECT client{};
  GetClientRect(canvas, &client);
  const int cw = client.right;
  const int ch = client.bottom;
  if (!state || cw <= 0 || ch <= 0) return;
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  UniqueBitmap buffer(CreateCompatibleBitmap(dc, cw, ch));
  if (!memory || !buffer) return;
  SelectObjectScope select(memory.get(), buffer.get());
  UniqueBrush back(CreateSolidBrush(theme::kWindowBack));
  FillRect(memory.get(), &client, back.get());
  paintPicture(memory.get(), *state, cw, ch);
  for (const Drawing& d : state->drawings) paintDrawing(memory.get(), d);
  BitBlt(dc, 0, 0, cw, ch, memory.get(), 0, 0, SRCCOPY);
}

void onPaint(HWND canvas) {
  PaintDc paint(canvas);
  paintInto(canvas, paint.get());
}

LRESULT CALLBACK canvasProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new CanvasState));
      return DefWindowProcW(hwnd, msg, wp, lp);
    case WM_NCDESTROY:
      delete stateOf(hwnd);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: onPaint(hwnd); return 0;
    case WM_PRINTCLIENT: paintInto(hwnd, reinterpret_cast<HDC>(wp)); return 0;
    case WM_SIZE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

void addDrawing(HWND canvas, Drawing d) {
  if (CanvasState* state = stateOf(canvas)) {
    state->drawings.push_back(std::move(d));
    InvalidateRect(canvas, nullptr, FALSE);
  }
}

}  // namespace

bool registerCanvasClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kCanvasClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = canvasProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kCanvasClass;
  return RegisterClassExW(&wc) != 0;
}

void canvasSetPicture(HWND canvas, Bytes bytes) {
  CanvasState* state = stateOf(canvas);
  if (!state) return;
  state->image = decode(bytes);
  state->picture = std::move(bytes);
  InvalidateRect(canvas, nullptr, FALSE);
}

Bytes canvasPicture(HWND canvas) {
  const CanvasState* state = stateOf(canvas);
  return state ? state->picture : Bytes{};
}

void canvasClearDrawings(HWND canvas) {
  if (CanvasState* state = stateOf(canvas)) {
    state->drawings.clear();
    InvalidateRect(canvas, nullptr, FALSE);
  }
}

void canvasDrawRect(HWND canvas, const RECT& rect, COLORREF color, int penWidth) {
  addDrawing(canvas, {Drawing::Kind::Outline, rect, color, penWidth, {}, nullptr});
}

void canvasFillRect(HWND canvas, const RECT& rect, COLORREF color) {
  addDrawing(canvas, {Drawing::Kind::Fill, rect, color, 0, {}, nullptr});
}

void canvasDrawText(HWND canvas, int x, int y, const std::wstring& text, COLORREF color, HFONT font) {
  addDrawing(canvas, {Drawing::Kind::Text, RECT{x, y, x, y}, color, 0, text, font});
}

}  // namespace molan::win
