#pragma once
// Strict decoding of a recognition request's picture field: form-style
// percent-encoding, then standard base64 with "=" padding. Anything the
// client's encoder cannot produce is refused rather than guessed at.
#include <optional>

#include "link/bytes.h"

namespace molan::server {

enum class PayloadError { kNone, kEmpty, kBadPercent, kBadBase64 };

std::optional<Bytes> percentDecode(BytesView text);
std::optional<Bytes> base64Decode(BytesView text);

// The picture bytes, or nothing with `error` telling which stage refused.
std::optional<Bytes> decodePicturePayload(BytesView payload, PayloadError* error);

// The reason text (GBK) that follows "服务器异常" in the reply's status field.
BytesView payloadErrorReason(PayloadError error);

}  // namespace molan::server
