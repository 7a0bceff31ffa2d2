#include "account/remembered_text.h"

#include <optional>

#include "link/link_cipher.h"

namespace molan {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<Bytes> decodeHex(BytesView hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  Bytes out;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int hi = hexValue(hex[i]);
    const int lo = hexValue(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi * 16 + lo));
  }
  return out;
}

}  // namespace

bool rawFormHolds(BytesView sealed) { return sealed.find_first_of(BytesView("\0\r\n", 3)) == BytesView::npos; }

Bytes sealRememberedText(BytesView text) {
  const Bytes sealed = LinkCipher::apply(untilNul(text));
  if (rawFormHolds(sealed)) return sealed;
  Bytes escaped(1, kEscapedFormMark);
  for (const char c : sealed) {
    const auto b = static_cast<unsigned char>(c);
    escaped.push_back(kHexDigits[b >> 4]);
    escaped.push_back(kHexDigits[b & 0x0F]);
  }
  return escaped;
}

Bytes openRememberedText(BytesView stored) {
  if (!stored.empty() && stored.front() == kEscapedFormMark) {
    // A raw value beginning with the mark deciphers to a leading zero byte,
    // i.e. empty text; a malformed escaped value reads the same way.
    const auto sealed = decodeHex(stored.substr(1));
    if (!sealed) return {};
    return Bytes(untilNul(LinkCipher::apply(*sealed)));
  }
  return Bytes(untilNul(LinkCipher::apply(stored)));
}

}  // namespace molan
