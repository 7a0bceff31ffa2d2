#pragma once
// Writes Windows icon files (.ico) from pictures held as premultiplied
// 0xAARRGGBB pixels, one 32-bit image with its mask per size.
#include <cstdint>
#include <string>
#include <vector>

namespace molan::shell {

struct IconImage {
  int size;                           // width = height, 1..256
  std::vector<std::uint32_t> pixels;  // rows top to bottom, premultiplied
};

// The bytes of an .ico file holding the images in the given order.
std::string encodeIcoFile(const std::vector<IconImage>& images);

}  // namespace molan::shell
