// decodeUtf8Text for the native build: the UTF-8 is decoded here (so that
// malformed input is replaced the same way whatever the iconv version does
// with it), and the code points are encoded in GBK with iconv.
#include <errno.h>
#include <iconv.h>

#include <cstdint>
#include <vector>

#include "recognition/utf8_text.h"

namespace molan {
namespace {

constexpr char32_t kReplacement = 0xFFFD;  // GBK has no place for it: comes out as "?"

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes the character at `i` and advances `i`. A malformed sequence is
// replaced by one kReplacement for its longest valid-looking start.
char32_t nextCodePoint(BytesView s, size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) return lead;
  int more = 0;
  char32_t cp = 0;
  char32_t min = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1, cp = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2, cp = lead & 0x0F, min = 0x800;
    if (lead == 0xE0) lo = 0xA0;
    if (lead == 0xED) hi = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3, cp = lead & 0x07, min = 0x10000;
    if (lead == 0xF0) lo = 0x90;
    if (lead == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    return kReplacement;
  }
  for (int k = 0; k < more; ++k) {
    if (i >= s.size()) return kReplacement;
    const auto c = static_cast<unsigned char>(s[i]);
    if (!isContinuation(c) || (k == 0 && (c < lo || c > hi))) return kReplacement;
    cp = (cp << 6) | (c & 0x3F);
    ++i;
  }
  return cp >= min ? cp : kReplacement;
}

class Converter {
 public:
  Converter() : cd_(iconv_open("GBK", "UTF-32LE")) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Encodes little-endian UTF-32 in GBK; unmappable characters become "?".
  bool encode(std::vector<char>& utf32, Bytes& out) {
    char* in = utf32.data();
    size_t inLeft = utf32.size();
    out.resize(utf32.size() / 2 + 16);  // at most two GBK bytes per character
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
      if (iconv(cd_, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
      if (errno != EILSEQ || outLeft == 0) return false;
      *dst++ = '?';
      --outLeft;
      in += 4;
      inLeft -= 4;
    }
    out.resize(out.size() - outLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

Bytes decodeUtf8Text(BytesView utf8) {
  if (utf8.empty()) return {};
  std::vector<char> utf32;
  utf32.reserve(utf8.size() * 4);
  for (size_t i = 0; i < utf8.size();) {
    const char32_t cp = nextCodePoint(utf8, i);
    for (int k = 0; k < 4; ++k) utf32.push_back(static_cast<char>((cp >> (8 * k)) & 0xFF));
  }
  Converter converter;
  Bytes out;
  if (!converter.ok() || !converter.encode(utf32, out)) return {};
  return out;
}

}  // namespace molan
