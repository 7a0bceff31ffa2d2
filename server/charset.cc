#include "server/charset.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace molan::server {
namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 2 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  size_t done = 0;
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = out.data() + done;
    size_t dstLeft = out.size() - done;
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    done = out.size() - dstLeft;
    if (rc != static_cast<size_t>(-1)) break;
    if (errno != E2BIG) {
      ok = false;
      break;
    }
    out.resize(out.size() * 2);
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(done);
  return out;
}

}  // namespace

std::optional<std::string> gbkToUtf8(BytesView gbk) { return convert("UTF-8", "GBK", gbk); }

std::optional<Bytes> utf8ToGbk(std::string_view utf8) { return convert("GBK", "UTF-8", utf8); }

std::string printable(BytesView gbk) {
  if (auto utf8 = gbkToUtf8(gbk)) return *utf8;
  std::string out;
  for (const char c : gbk) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F) {
      out += c;
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", b);
      out += buf;
    }
  }
  return out;
}

}  // namespace molan::server
