#pragma once
// Pictures for recognition tests, rendered with ImageMagick and the
// WenQuanYi font: known text at known places.
#include <string>
#include <vector>

#include "link/bytes.h"

namespace molan::server::testing {

struct TextRow {
  std::string utf8;  // the text drawn
  int x, y;          // ImageMagick annotate offset: left edge and baseline
};

// A white picture of `width` x `height` with each row drawn in black at
// `pointSize`; `format` is the file extension (png, bmp, jpg, gif, tif).
// Empty bytes when rendering failed.
Bytes renderPicture(int width, int height, int pointSize, const std::vector<TextRow>& rows,
                    const std::string& format = "png");

}  // namespace molan::server::testing
