#pragma once
// Recognised words arrive as UTF-8 inside an otherwise GBK frame.
#include "link/bytes.h"

namespace molan {

// UTF-8 -> GBK text. A byte sequence that is not UTF-8, or a character GBK
// cannot hold, comes out as "?". Empty input, or a conversion that cannot be
// done at all, gives empty text. Never fails otherwise.
Bytes decodeUtf8Text(BytesView utf8);

}  // namespace molan
