// How each owner-drawn control of the main window looks, chosen by its design
// name: picture buttons and pictures, category tabs, function list entries,
// the 注册/登录 links and the recognition page buttons.
#include <windows.h>
#include <objidl.h>
// objidl.h first: WIN32_LEAN_AND_MEAN leaves out what gdiplus.h needs.
#include <gdiplus.h>

#include <algorithm>
#include <string>

#include "app/control_names_win.h"
#include "app/theme_win.h"
#include "app/win_handles.h"
#include "shell/buttons_win.h"
#include "shell/main_window_names.h"
#include "shell/panel_win.h"

namespace molan::shell {
namespace {

namespace theme = win::theme;

enum class Look { Picture, Category, Function, Link, PageButton, PrimaryPageButton };

bool startsWith(const std::wstring& s, const wchar_t* prefix) { return s.rfind(prefix, 0) == 0; }

Look lookOf(const std::wstring& name) {
  if (startsWith(name, L"图形按钮_") || startsWith(name, L"图片框_")) return Look::Picture;
  if (name == L"超级按钮_注册" || name == L"超级按钮_登录") return Look::Link;
  if (startsWith(name, L"超级按钮_通用_")) {
    return name.ends_with(L"_识别") ? Look::PrimaryPageButton : Look::PageButton;
  }
  for (const wchar_t* f : kFunctions) {
    if (name == std::wstring(L"超级按钮_") + f) return Look::Function;
  }
  return Look::Category;
}

Glyph pictureOf(HWND control, const std::wstring& name) {
  if (name == L"图片框_图标") return Glyph::ProductIcon;
  if (name == L"图片框_账户") return Glyph::Account;
  if (startsWith(name, L"图片框_")) return Glyph::Marker;
  return buttonGlyph(control);
}

std::wstring textOf(HWND control) {
  wchar_t buf[128] = {};
  GetWindowTextW(control, buf, 128);
  std::wstring text = buf;
  const size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

void drawText(HDC dc, const std::wstring& text, RECT r, COLORREF color, HFONT font, UINT align) {
  win::SelectObjectScope select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, text.c_str(), -1, &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

Gdiplus::Color argb(COLORREF c) { return Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)); }

void roundedBox(HDC dc, const RECT& r, COLORREF fill, COLORREF edge) {
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const Gdiplus::REAL x = r.left + 0.5f, y = r.top + 0.5f;
  const Gdiplus::REAL w = static_cast<Gdiplus::REAL>(r.right - r.left) - 1.0f;
  const Gdiplus::REAL h = static_cast<Gdiplus::REAL>(r.bottom - r.top) - 1.0f;
  const Gdiplus::REAL d = 8.0f;
  Gdiplus::GraphicsPath path;
  path.AddArc(x, y, d, d, 180, 90);
  path.AddArc(x + w - d, y, d, d, 270, 90);
  path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
  path.AddArc(x, y + h - d, d, d, 90, 90);
  path.CloseFigure();
  Gdiplus::SolidBrush brush(argb(fill));
  g.FillPath(&brush, &path);
  Gdiplus::Pen pen(argb(edge), 1.0f);
  g.DrawPath(&pen, &path);
}

void drawPageButton(HDC dc, const RECT& r, const std::wstring& text, bool primary, bool hot, bool pressed) {
  COLORREF fill = theme::kWindowBack, edge = theme::kLine, ink = theme::kText;
  if (primary) {
    fill = pressed ? theme::kAccentPressed : hot ? theme::kAccentHot : theme::kAccent;
    edge = fill;
    ink = theme::kWindowBack;
  } else if (pressed) {
    fill = theme::kHoverBack;
    edge = theme::kAccent;
    ink = theme::kAccentPressed;
  } else if (hot) {
    edge = theme::kAccent;
    ink = theme::kAccent;
  }
  roundedBox(dc, r, fill, edge);
  drawText(dc, text, r, ink, theme::uiFont(14, primary ? FW_BOLD : FW_NORMAL), DT_CENTER);
}

void drawFunction(HDC dc, RECT r, const std::wstring& text, bool current, bool hot) {
  const COLORREF back = current ? theme::kHoverBack : hot ? RGB(242, 246, 252) : theme::kWindowBack;
  FillRect(dc, &r, brushOf(back));
  const RECT edge{r.right - 1, r.top, r.right, r.bottom};  // the list's right edge runs on behind the entries
  FillRect(dc, &edge, brushOf(theme::kLine));
  r.left += 12;
  drawText(dc, text, r, current ? theme::kAccent : hot ? theme::kAccentHot : theme::kText,
           theme::uiFont(15, current ? FW_BOLD : FW_NORMAL), DT_LEFT);
}

void drawLink(HDC dc, RECT r, const std::wstring& name, const std::wstring& text, bool hot) {
  const COLORREF color = hot ? theme::kAccent : RGB(72, 80, 94);
  if (name == L"超级按钮_登录") {
    const RECT bar{r.left + 3, r.top + 3, r.left + 4, r.bottom - 2};
    FillRect(dc, &bar, brushOf(theme::kLine));
    r.left += 10;
  } else {
    r.left += 4;
  }
  drawText(dc, text, r, color, theme::uiFont(13), DT_LEFT);
}

}  // namespace

void drawOwnerItem(const DRAWITEMSTRUCT& item) {
  const HWND control = item.hwndItem;
  const std::wstring name = win::controlName(control);
  const HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const int w = r.right - r.left, h = r.bottom - r.top;
  win::UniqueMemoryDc memory(CreateCompatibleDC(dc));
  win::UniqueBitmap buffer(CreateCompatibleBitmap(dc, std::max(w, 1), std::max(h, 1)));
  win::SelectObjectScope select(memory.get(), buffer.get());
  const RECT local{0, 0, w, h};
  FillRect(memory.get(), &local, brushOf(backgroundOf(GetParent(control))));
  const bool hot = isHot(control);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  switch (lookOf(name)) {
    case Look::Picture: {
      const Glyph glyph = pictureOf(control, name);
      const SIZE size = glyphSize(glyph);
      drawGlyph(memory.get(), glyph, hot, (w - size.cx) / 2, (h - size.cy) / 2);
      break;
    }
    case Look::Category: {
      const bool current = isCurrent(control);
      drawText(memory.get(), textOf(control), local,
               current ? theme::kAccent : hot ? theme::kAccentHot : theme::kText,
               theme::uiFont(16, current ? FW_BOLD : FW_NORMAL), DT_CENTER);
      break;
    }
    case Look::Function: drawFunction(memory.get(), local, textOf(control), isCurrent(control), hot); break;
    case Look::Link: drawLink(memory.get(), local, name, textOf(control), hot); break;
    case Look::PageButton:
    case Look::PrimaryPageButton:
      drawPageButton(memory.get(), local, textOf(control), lookOf(name) == Look::PrimaryPageButton, hot, pressed);
      break;
  }
  BitBlt(dc, r.left, r.top, w, h, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace molan::shell
