#include "recognition/picture_payload.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace molan {
namespace {

// What each byte becomes: up to three characters, and how many of them count.
// Table-driven and branch-free, because the classes of base64 characters
// follow no pattern and branches on them mispredict.
struct Escapes {
  std::array<std::array<char, 4>, 256> text{};
  std::array<unsigned char, 256> length{};
};

constexpr Escapes makeEscapes() {
  constexpr char kHex[] = "0123456789abcdef";
  Escapes e;
  for (int c = 0; c < 256; ++c) {
    const bool copied = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                        c == '.' || c == '_';
    if (copied || c == ' ') {
      e.text[c] = {c == ' ' ? '+' : static_cast<char>(c), 0, 0, 0};
      e.length[c] = 1;
    } else {
      e.text[c] = {'%', kHex[c >> 4], kHex[c & 15], 0};
      e.length[c] = 3;
    }
  }
  return e;
}

constexpr Escapes kEscapes = makeEscapes();

}  // namespace

Bytes formUrlEncode(BytesView bytes) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  // One pass into a buffer of the largest possible size: every byte writes
  // four characters and advances by its length. Pages never written are
  // never touched.
  const std::unique_ptr<char[]> buffer(new char[3 * n + 4]);
  char* p = buffer.get();
  for (size_t i = 0; i < n; ++i) {
    std::memcpy(p, kEscapes.text[in[i]].data(), 4);
    p += kEscapes.length[in[i]];
  }
  return Bytes(buffer.get(), static_cast<size_t>(p - buffer.get()));
}

Bytes encodePicturePayload(BytesView bytes) { return formUrlEncode(encodeBase64(bytes)); }

}  // namespace molan
