#pragma once
// Text arguments of scenario lines: UTF-8 with escapes, turned into the GBK
// bytes that go on the wire.
#include <optional>

#include "link/bytes.h"

namespace molan::script {

// UTF-8 to GBK through iconv; nothing when the text is not valid UTF-8 or
// holds a character GBK lacks.
std::optional<Bytes> utf8ToGbk(BytesView utf8);

// Converts the literal parts to GBK and applies the escapes \xHH, \r, \n, \t
// and \\ (their bytes are inserted as they are, never converted). Nothing on
// an unknown or cut escape or on text that does not convert.
std::optional<Bytes> scenarioText(BytesView utf8);

// "0A ff 10" or "0aff10": whitespace between pairs allowed. Nothing when a
// digit is not hex or the count is odd.
std::optional<Bytes> parseHex(BytesView text);

}  // namespace molan::script
