#pragma once
// Containers of the main window: shape boxes (class "MoLan.Panel") paint a
// solid background, optionally with a one-pixel edge line, and pass the
// notifications of their children (clicks, owner drawing, colours) on to the
// top-level window, which handles them all.
#include <windows.h>

namespace molan::shell {

bool registerPanelClass(HINSTANCE instance);

enum PanelEdge : unsigned { kEdgeNone = 0, kEdgeBottom = 1, kEdgeRight = 2 };
void setPanelLook(HWND panel, COLORREF back, unsigned edges = kEdgeNone);

// The background colour a child of `parent` sits on (white unless set).
COLORREF backgroundOf(HWND parent);
void setBackground(HWND window, COLORREF back);
// A solid brush of that colour, cached for the process.
HBRUSH brushOf(COLORREF color);

// Passes child notifications on to the top-level window; true when `msg` was one.
bool forwardToRoot(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

}  // namespace molan::shell
