#pragma once
// The service's JSON for a recognition result, in the two styles the client's
// marker scan relies on: compact (标准, 标准含位置) and spaced (高精度,
// 高精度含位置, one blank after every colon and every comma between members).
// Member order is fixed per kind; the client cuts the JSON with byte markers,
// so it is never free to change.
#include <cstdint>
#include <string>

#include "link/bytes.h"
#include "recognition/recognition_kind.h"
#include "server/ocr_result.h"

namespace molan::server {

// A JSON string body: quote, backslash and control characters escaped, UTF-8
// kept as is. The client cuts the JSON with fixed markers, so a few more
// characters are written as \u escapes where the text would otherwise form a
// marker: a "}" right after a quote (the spaced kinds end a line at "}), the
// "<" of a frame separator, and, with `guardLogId`, the underscore of "og_id"
// (the compact kinds end the words at "og_id").
std::string jsonEscape(std::string_view utf8, bool guardLogId);

// The whole JSON object of one result.
std::string recognitionJson(RecognitionKind kind, const OcrResult& result, uint64_t logId);

// The reply frame: the kind's reply prefix, the JSON, the separator.
Bytes recognitionReplyFrame(RecognitionKind kind, const OcrResult& result, uint64_t logId);

// A fresh log_id, unique within this process and, as it starts from the
// clock, across restarts.
uint64_t nextLogId();

}  // namespace molan::server
