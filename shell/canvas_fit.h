#pragma once
// Where a canvas shows its picture (display mode 2): centred, and scaled down
// by one factor when the picture is larger than the canvas in either
// direction; never enlarged. The scale is a 32-bit float: the recognition
// boxes are mapped with the same value, so they land on the displayed picture.

namespace molan {

// Picture pixels to canvas pixels: canvas = picture × scale + offset.
struct CanvasFit {
  float scale = 1.0f;  // held in single precision: box edges depend on it
  int ox = 0, oy = 0;  // canvas pixels
  bool operator==(const CanvasFit&) const = default;
};

// From the canvas's current size and the picture's size (0 x 0 for a picture
// that could not be decoded). A picture side of no pixels never limits.
CanvasFit computeCanvasFit(int canvasWidth, int canvasHeight, int pictureWidth, int pictureHeight);

// Offsets truncated toward zero and held in the range of int (NaN reads as 0).
int truncatedToInt(double value);

}  // namespace molan

namespace molan::shell {

struct PictureFit {
  float scale;
  int x, y;           // top-left corner of the picture on the canvas
  int width, height;  // displayed size
};

// The fit above with the displayed size; a picture without pixels shows nothing.
PictureFit fitPicture(int canvasWidth, int canvasHeight, int pictureWidth, int pictureHeight);

}  // namespace molan::shell
