#include "shell/ico_file.h"

namespace molan::shell {
namespace {

void put16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::uint32_t unpremultiply(std::uint32_t p) {
  const std::uint32_t a = p >> 24;
  if (a == 0) return 0;
  auto channel = [a](std::uint32_t c) { return (c * 255 + a / 2) / a > 255 ? 255u : (c * 255 + a / 2) / a; };
  return (a << 24) | (channel((p >> 16) & 0xFF) << 16) | (channel((p >> 8) & 0xFF) << 8) | channel(p & 0xFF);
}

// BITMAPINFOHEADER, the colour rows bottom-up, then the AND mask (all zero:
// the alpha channel decides).
std::string encodeImage(const IconImage& image) {
  const auto n = static_cast<std::uint32_t>(image.size);
  const std::uint32_t maskStride = ((n + 31) / 32) * 4;
  std::string out;
  put32(out, 40);
  put32(out, n);
  put32(out, 2 * n);  // colour rows plus mask rows
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);
  put32(out, n * n * 4 + maskStride * n);
  for (int i = 0; i < 4; ++i) put32(out, 0);
  for (std::uint32_t row = n; row-- > 0;) {
    for (std::uint32_t col = 0; col < n; ++col) put32(out, unpremultiply(image.pixels[row * n + col]));
  }
  out.append(static_cast<size_t>(maskStride) * n, '\0');
  return out;
}

}  // namespace

std::string encodeIcoFile(const std::vector<IconImage>& images) {
  std::vector<std::string> bodies;
  for (const IconImage& image : images) bodies.push_back(encodeImage(image));
  std::string out;
  put16(out, 0);
  put16(out, 1);
  put16(out, static_cast<unsigned>(images.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].size;
    out.push_back(static_cast<char>(size >= 256 ? 0 : size));
    out.push_back(static_cast<char>(size >= 256 ? 0 : size));
    out.push_back(0);  // no palette
    out.push_back(0);
    put16(out, 1);
    put16(out, 32);
    put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const std::string& body : bodies) out += body;
  return out;
}

}  // namespace molan::shell
