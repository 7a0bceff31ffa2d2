// encodeBase64 for the native build (the Win32 build asks CryptoAPI).
#include <cstdint>

#include "recognition/picture_payload.h"

namespace molan {

Bytes encodeBase64(BytesView bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  Bytes out;
  out.resize((bytes.size() + 2) / 3 * 4);
  char* p = out.data();
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t v = (uint32_t{in[i]} << 16) | (uint32_t{in[i + 1]} << 8) | in[i + 2];
    *p++ = kAlphabet[(v >> 18) & 63];
    *p++ = kAlphabet[(v >> 12) & 63];
    *p++ = kAlphabet[(v >> 6) & 63];
    *p++ = kAlphabet[v & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    const uint32_t v = (uint32_t{in[i]} << 16) | (rest == 2 ? uint32_t{in[i + 1]} << 8 : 0);
    *p++ = kAlphabet[(v >> 18) & 63];
    *p++ = kAlphabet[(v >> 12) & 63];
    *p++ = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    *p++ = '=';
  }
  return out;
}

}  // namespace molan
