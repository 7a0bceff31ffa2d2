#pragma once
// Conversions between the client's GBK text and the UTF-16 of the W APIs.
// Always code page 936, whatever the system's own code page is.
#include <string>

#include "link/bytes.h"

namespace molan::win {

std::wstring toWide(BytesView gbk);
Bytes toGbk(std::wstring_view wide);

}  // namespace molan::win
