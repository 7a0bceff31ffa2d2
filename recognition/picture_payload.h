#pragma once
// The picture field of a recognition request: base64 of the picture bytes,
// then form-style percent-encoding, so that the payload is plain ASCII and can
// never contain the frame separator.
#include "link/bytes.h"

namespace molan {

// Standard base64 (RFC 4648 alphabet, "=" padding), no line breaks at all.
// Empty when the platform encoder fails.
Bytes encodeBase64(BytesView bytes);

// Letters, digits, "-", "." and "_" are copied; a blank becomes "+"; every
// other byte becomes "%" and two lower-case hex digits.
Bytes formUrlEncode(BytesView bytes);

// formUrlEncode(encodeBase64(bytes)).
Bytes encodePicturePayload(BytesView bytes);

}  // namespace molan
