#pragma once
// Surfaces of the frameless main window that resize it from their bands along
// the window's outer edge, and optionally drag it from everywhere else: the
// pointer follows the band under the mouse, and a left press hands the window
// to the system's move or size loop with the band's hit-test code.
#include <windows.h>

namespace molan::shell {

struct SurfaceBands {
  unsigned bands;       // resize_bands.h Band bits
  bool windowWidth;     // band width taken from the window instead of the surface
  bool dragElsewhere;   // a press outside the bands moves the window
};

void makeResizeSurface(HWND surface, SurfaceBands bands);

// Hit-test code for a point in `surface`'s client coordinates (0: none).
int surfaceHitCode(HWND surface, SurfaceBands bands, POINT point);
// Pointer of a code, and the press that starts the move/size loop.
void setPointerFor(int hitCode);
void startMoveOrSize(HWND surface, int hitCode);

}  // namespace molan::shell
