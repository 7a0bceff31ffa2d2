#pragma once
// ValidityMark pictures: a 24 × 24 picture box beside a credential box that
// shows nothing, a green check or a red cross. The pictures are drawn by code
// (GDI+, antialiased) at the control's size.
#include <windows.h>

#include "account/credential_rules.h"

namespace molan::account {

inline constexpr wchar_t kValidityMarkClass[] = L"MoLan.ValidityMark";
inline constexpr int kValidityMarkSize = 24;

// Registers the picture box class once per process.
bool registerValidityMarkClass(HINSTANCE instance);

// The state a mark shows; None when the window opens.
void setValidityMark(HWND mark, ValidityMark state);
ValidityMark validityMarkOf(HWND mark);

// Paints a mark picture into `dc` over `area` (on the colour already there).
void drawValidityMark(HDC dc, const RECT& area, ValidityMark state);

}  // namespace molan::account
