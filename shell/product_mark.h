#pragma once
// The product mark of 墨澜: a blue rounded square with the four corner marks
// of a scan frame and two ink waves across it. Drawn by code at any pixel
// size, so the title-bar picture and the program's icon file are the same art.
#include <cstdint>
#include <vector>

namespace molan::shell {

// size × size pixels, rows top to bottom, premultiplied 0xAARRGGBB.
std::vector<std::uint32_t> renderProductMark(int size);

}  // namespace molan::shell
