#include "shell/panel_win.h"

#include <map>

#include "app/theme_win.h"
#include "app/win_handles.h"

namespace molan::shell {
namespace {

constexpr wchar_t kPanelClassName[] = L"MoLan.Panel";
constexpr wchar_t kBackProp[] = L"MoLan.Back";
constexpr wchar_t kEdgeProp[] = L"MoLan.Edges";
constexpr UINT_PTR kBackSet = 0x01000000;  // marks a stored colour, so black is possible

void paintPanel(HWND panel) {
  win::PaintDc paint(panel);
  RECT r{};
  GetClientRect(panel, &r);
  FillRect(paint.get(), &r, brushOf(backgroundOf(panel)));
  const auto edges = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetPropW(panel, kEdgeProp)));
  if (edges & kEdgeBottom) {
    const RECT line{r.left, r.bottom - 1, r.right, r.bottom};
    FillRect(paint.get(), &line, brushOf(win::theme::kLine));
  }
  if (edges & kEdgeRight) {
    const RECT line{r.right - 1, r.top, r.right, r.bottom};
    FillRect(paint.get(), &line, brushOf(win::theme::kLine));
  }
}

LRESULT CALLBACK panelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT forwarded = 0;
  if (forwardToRoot(hwnd, msg, wp, lp, &forwarded)) return forwarded;
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paintPanel(hwnd); return 0;
    case WM_SIZE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    default: return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

bool registerPanelClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kPanelClassName, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;  // edge lines follow the size
  wc.lpfnWndProc = panelProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPanelClassName;
  return RegisterClassExW(&wc) != 0;
}

void setPanelLook(HWND panel, COLORREF back, unsigned edges) {
  setBackground(panel, back);
  SetPropW(panel, kEdgeProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(edges)));
  InvalidateRect(panel, nullptr, TRUE);
}

void setBackground(HWND window, COLORREF back) {
  SetPropW(window, kBackProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(back) | kBackSet));
}

COLORREF backgroundOf(HWND parent) {
  const auto value = reinterpret_cast<UINT_PTR>(GetPropW(parent, kBackProp));
  return value & kBackSet ? static_cast<COLORREF>(value & 0xFFFFFF) : win::theme::kWindowBack;
}

HBRUSH brushOf(COLORREF color) {
  static std::map<COLORREF, win::UniqueBrush> brushes;  // window thread only
  auto& slot = brushes[color];
  if (!slot) slot.reset(CreateSolidBrush(color));
  return slot.get();
}

bool forwardToRoot(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      const HWND root = GetAncestor(hwnd, GA_ROOT);
      if (!root || root == hwnd) return false;
      *result = SendMessageW(root, msg, wp, lp);
      return true;
    }
    default: return false;
  }
}

}  // namespace molan::shell
