// decodeUtf8Text on Windows: UTF-8 -> UTF-16 -> code page 936. Malformed
// UTF-8 becomes U+FFFD, which GBK cannot hold, so both kinds of trouble come
// out as the code page's default character "?".
#include <windows.h>

#include <climits>
#include <string>

#include "recognition/utf8_text.h"

namespace molan {

Bytes decodeUtf8Text(BytesView utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX / 2) return {};
  const int inLength = static_cast<int>(utf8.size());
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  if (MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, wide.data(), wideLength) != wideLength) return {};
  const int gbkLength = WideCharToMultiByte(936, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (gbkLength <= 0) return {};
  Bytes gbk(static_cast<size_t>(gbkLength), '\0');
  if (WideCharToMultiByte(936, 0, wide.data(), wideLength, gbk.data(), gbkLength, nullptr, nullptr) != gbkLength) {
    return {};
  }
  return gbk;
}

}  // namespace molan
