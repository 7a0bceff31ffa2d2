#include "server/cjk_spacing.h"

namespace molan::server {
namespace {

// Decodes the code point at `i` and moves `i` past it; a byte that does not
// start a whole UTF-8 sequence is taken alone as U+FFFD.
char32_t decodeAt(std::string_view s, size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  size_t extra = 0;
  char32_t cp = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + extra >= s.size()) {
    ++i;
    return 0xFFFD;
  }
  for (size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += extra + 1;
  return cp;
}

bool isWidePunctuation(char32_t c) {
  return (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
         (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65) || c == 0x2014 || c == 0x2026 ||
         (c >= 0x2018 && c <= 0x201F);
}

bool isWide(char32_t c) {
  return isWidePunctuation(c) || (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

bool isTrimmed(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

}  // namespace

std::string removeCjkBlanks(std::string_view utf8) {
  while (!utf8.empty() && isTrimmed(utf8.front())) utf8.remove_prefix(1);
  while (!utf8.empty() && isTrimmed(utf8.back())) utf8.remove_suffix(1);

  // A run of blanks is kept or dropped once both its neighbours are known.
  std::string out;
  out.reserve(utf8.size());
  char32_t before = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    if (utf8[i] != ' ') {
      const size_t start = i;
      before = decodeAt(utf8, i);
      out.append(utf8.substr(start, i - start));
      continue;
    }
    size_t end = i;
    while (end < utf8.size() && utf8[end] == ' ') ++end;
    size_t peek = end;
    const char32_t after = decodeAt(utf8, peek);  // a run never ends the text after trimming
    const bool drop = (isWide(before) && isWide(after)) || isWidePunctuation(before) || isWidePunctuation(after);
    if (!drop) out.append(utf8.substr(i, end - i));
    i = end;
  }
  return out;
}

}  // namespace molan::server
