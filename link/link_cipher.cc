#include "link/link_cipher.h"

#include <array>
#include <cstdint>

namespace molan {
namespace {

constexpr std::string_view kLinkKey = "qotu7mbnv-*h5yplkzrwoxc*^^&jmtbe8g^%Rivulo9786513n076";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;  // not a digit of the stored form: reads as zero, never fails
}

}  // namespace

void LinkCipher::applyInPlace(char* data, size_t size) {
  std::array<uint8_t, 256> s;
  for (int i = 0; i < 256; ++i) s[i] = static_cast<uint8_t>(i);
  uint8_t j = 0;
  for (int i = 0; i < 256; ++i) {
    j = static_cast<uint8_t>(j + s[i] + static_cast<uint8_t>(kLinkKey[i % kLinkKey.size()]));
    std::swap(s[i], s[j]);
  }
  uint8_t a = 0;
  uint8_t b = 0;
  auto* p = reinterpret_cast<uint8_t*>(data);
  for (size_t n = 0; n < size; ++n) {
    a = static_cast<uint8_t>(a + 1);
    b = static_cast<uint8_t>(b + s[a]);
    std::swap(s[a], s[b]);
    p[n] ^= s[static_cast<uint8_t>(s[a] + s[b])];
  }
}

Bytes LinkCipher::apply(BytesView data) {
  Bytes out(data);
  applyInPlace(out.data(), out.size());
  return out;
}

Bytes decodeHexList(BytesView hexList) {
  Bytes digits;
  digits.reserve(hexList.size());
  for (char c : hexList) {
    if (c != ',') digits.push_back(c);
  }
  Bytes raw;
  raw.reserve(digits.size() / 2);
  for (size_t i = 0; i + 1 < digits.size(); i += 2) {
    raw.push_back(static_cast<char>(hexValue(digits[i]) * 16 + hexValue(digits[i + 1])));
  }
  return Bytes(untilNul(LinkCipher::apply(raw)));
}

Bytes encodeHexList(BytesView plain) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const Bytes cipher = LinkCipher::apply(plain);
  Bytes out;
  out.reserve(cipher.size() * 3);
  for (unsigned char c : cipher) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 15]);
    out.push_back(',');
  }
  return out;
}

}  // namespace molan
