#pragma once
// Byte strings. Frames, payloads and GBK text are all held in std::string:
// a frame may hold any byte, including zero, so nothing here relies on NUL ends.
#include <string>
#include <string_view>

namespace molan {

using Bytes = std::string;
using BytesView = std::string_view;

// The text a byte string holds when read as text: everything before its first
// zero byte.
inline BytesView untilNul(BytesView bytes) {
  const auto nul = bytes.find('\0');
  return nul == BytesView::npos ? bytes : bytes.substr(0, nul);
}

}  // namespace molan
