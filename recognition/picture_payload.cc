#include "recognition/picture_payload.h"

namespace molan {
namespace {

bool copiedAsIs(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_';
}

}  // namespace

Bytes formUrlEncode(BytesView bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  size_t size = 0;
  for (unsigned char c : bytes) size += (copiedAsIs(c) || c == ' ') ? 1 : 3;
  Bytes out;
  out.resize(size);
  char* p = out.data();
  for (unsigned char c : bytes) {
    if (copiedAsIs(c)) {
      *p++ = static_cast<char>(c);
    } else if (c == ' ') {
      *p++ = '+';
    } else {
      *p++ = '%';
      *p++ = kHex[c >> 4];
      *p++ = kHex[c & 15];
    }
  }
  return out;
}

Bytes encodePicturePayload(BytesView bytes) { return formUrlEncode(encodeBase64(bytes)); }

}  // namespace molan
