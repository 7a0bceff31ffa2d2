#pragma once
// The main window's owner-drawn buttons and hover-aware pictures: hot state
// (mouse over), the checked state the navigation buttons toggle, the
// "current" state of the selected category and function, and the picture a
// picture button shows.
#include <windows.h>

#include "shell/glyphs_win.h"

namespace molan::shell {

// Tracks the mouse (hot state, hover handlers) and keeps the checked state
// (BM_GETCHECK/BM_SETCHECK also work on owner-drawn buttons).
void makeHoverAware(HWND control);

bool isHot(HWND control);
bool isChecked(HWND button);
void setChecked(HWND button, bool checked);
bool isCurrent(HWND button);
void setCurrent(HWND button, bool current);

void setButtonGlyph(HWND button, Glyph glyph);
Glyph buttonGlyph(HWND button);

// WM_DRAWITEM for every owner-drawn control of the main window.
void drawOwnerItem(const DRAWITEMSTRUCT& item);

}  // namespace molan::shell
