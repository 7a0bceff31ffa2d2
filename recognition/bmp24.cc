#include "recognition/bmp24.h"

#include <algorithm>
#include <cstring>

namespace molan {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

void putLe(Bytes& out, size_t at, uint32_t value, int size) {
  for (int k = 0; k < size; ++k) out[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

uint32_t getLe(BytesView in, size_t at, int size) {
  uint32_t value = 0;
  for (int k = 0; k < size; ++k) value |= static_cast<uint32_t>(static_cast<unsigned char>(in[at + k])) << (8 * k);
  return value;
}

}  // namespace

Bytes encodeBmp24(int width, int height, BytesView rows) {
  if (width <= 0 || height <= 0) return {};
  const size_t imageSize = bmp24Stride(width) * static_cast<size_t>(height);
  if (rows.size() != imageSize || imageSize > 0x7FFFFFFF - kFileHeaderSize - kInfoHeaderSize) return {};
  const size_t offset = kFileHeaderSize + kInfoHeaderSize;
  Bytes out(offset, '\0');
  out[0] = 'B';
  out[1] = 'M';
  putLe(out, 2, static_cast<uint32_t>(offset + imageSize), 4);
  putLe(out, 10, static_cast<uint32_t>(offset), 4);
  putLe(out, 14, kInfoHeaderSize, 4);
  putLe(out, 18, static_cast<uint32_t>(width), 4);
  putLe(out, 22, static_cast<uint32_t>(height), 4);
  putLe(out, 26, 1, 2);   // planes
  putLe(out, 28, 24, 2);  // bits per pixel
  putLe(out, 34, static_cast<uint32_t>(imageSize), 4);
  putLe(out, 38, 2835, 4);  // 72 dpi
  putLe(out, 42, 2835, 4);
  out.append(rows);
  return out;
}

bool readBmp24Info(BytesView bmp, Bmp24Info& info) {
  if (bmp.size() < kFileHeaderSize + kInfoHeaderSize || bmp[0] != 'B' || bmp[1] != 'M') return false;
  if (getLe(bmp, 14, 4) < kInfoHeaderSize || getLe(bmp, 28, 2) != 24 || getLe(bmp, 30, 4) != 0) return false;
  const auto width = static_cast<int32_t>(getLe(bmp, 18, 4));
  const auto height = static_cast<int32_t>(getLe(bmp, 22, 4));
  if (width <= 0 || height == 0 || height == INT32_MIN || width > 0x10000 || height > 0x10000 || height < -0x10000) {
    return false;
  }
  info.width = width;
  info.height = height < 0 ? -height : height;
  info.topDown = height < 0;
  info.pixelOffset = getLe(bmp, 10, 4);
  const size_t needed = bmp24Stride(info.width) * static_cast<size_t>(info.height);
  return info.pixelOffset <= bmp.size() && bmp.size() - info.pixelOffset >= needed;
}

Bytes cropBmp24(BytesView bmp, int left, int top, int right, int bottom) {
  Bmp24Info info;
  if (!readBmp24Info(bmp, info)) return {};
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, info.width);
  bottom = std::min(bottom, info.height);
  if (right <= left || bottom <= top) return {};
  const int width = right - left;
  const int height = bottom - top;
  const size_t srcStride = bmp24Stride(info.width);
  const size_t dstStride = bmp24Stride(width);
  Bytes rows(dstStride * static_cast<size_t>(height), '\0');
  for (int y = 0; y < height; ++y) {
    const int srcRow = info.topDown ? top + y : info.height - 1 - (top + y);  // row `top + y` from the top
    const char* src = bmp.data() + info.pixelOffset + srcStride * static_cast<size_t>(srcRow) + 3 * static_cast<size_t>(left);
    char* dst = rows.data() + dstStride * static_cast<size_t>(height - 1 - y);  // written bottom-up
    std::memcpy(dst, src, 3 * static_cast<size_t>(width));
  }
  return encodeBmp24(width, height, rows);
}

}  // namespace molan
