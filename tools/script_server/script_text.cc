#include "tools/script_server/script_text.h"

#include <iconv.h>

#include <cctype>

namespace molan::script {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<Bytes> utf8ToGbk(BytesView utf8) {
  if (utf8.empty()) return Bytes();
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  Bytes in(utf8);
  Bytes out(utf8.size() * 2 + 4, '\0');  // GBK never needs more than 2 bytes per UTF-8 byte
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

std::optional<Bytes> scenarioText(BytesView utf8) {
  Bytes result;
  size_t literalStart = 0;
  auto flushLiteral = [&](size_t end) {
    auto converted = utf8ToGbk(utf8.substr(literalStart, end - literalStart));
    if (converted) result += *converted;
    return converted.has_value();
  };
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] != '\\') continue;
    if (!flushLiteral(i) || i + 1 >= utf8.size()) return std::nullopt;
    const char e = utf8[i + 1];
    size_t used = 2;
    if (e == 'r') {
      result += '\r';
    } else if (e == 'n') {
      result += '\n';
    } else if (e == 't') {
      result += '\t';
    } else if (e == '\\') {
      result += '\\';
    } else if (e == 'x' && i + 3 < utf8.size() && hexValue(utf8[i + 2]) >= 0 && hexValue(utf8[i + 3]) >= 0) {
      result += static_cast<char>(hexValue(utf8[i + 2]) * 16 + hexValue(utf8[i + 3]));
      used = 4;
    } else {
      return std::nullopt;
    }
    i += used - 1;
    literalStart = i + 1;
  }
  if (!flushLiteral(utf8.size())) return std::nullopt;
  return result;
}

std::optional<Bytes> parseHex(BytesView text) {
  Bytes out;
  int high = -1;
  for (const char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (high >= 0) return std::nullopt;  // a pair split by a blank
      continue;
    }
    const int v = hexValue(c);
    if (v < 0) return std::nullopt;
    if (high < 0) {
      high = v;
    } else {
      out += static_cast<char>(high * 16 + v);
      high = -1;
    }
  }
  if (high >= 0) return std::nullopt;
  return out;
}

}  // namespace molan::script
