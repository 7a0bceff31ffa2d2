#pragma once
// Where the canvas shows its picture (display mode 2): centred, and scaled
// down by one factor when the picture is larger than the canvas in either
// direction; never enlarged. The scale is a 32-bit float, as the recognition
// box mapping uses, so boxes land on the displayed picture.

namespace molan::shell {

struct PictureFit {
  float scale;
  int x, y;           // top-left corner of the picture on the canvas
  int width, height;  // displayed size
};

PictureFit fitPicture(int canvasWidth, int canvasHeight, int pictureWidth, int pictureHeight);

}  // namespace molan::shell
