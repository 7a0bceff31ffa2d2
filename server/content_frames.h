#pragma once
// Reply frames of the service content commands, built from plain values so
// that their layout can be checked without a server.
#include <optional>
#include <string>
#include <vector>

#include "link/bytes.h"

namespace molan::server {

// "客户端最新版本：" + version directly before "是否强制更新：" + 是/否.
Bytes versionReply(BytesView version, bool forced);

// The whole download series for one file: preparation, one chunk per
// `chunkSize` bytes (the file name field last, right before the data; sizes
// as 32-bit little-endian), end. Nothing when the name is unusable: empty,
// holding a separator, a path character or a NUL, or found (followed by the
// separator) before its own field in a chunk, where the client would cut the
// data at the wrong place; or when the file is too large for the size field.
std::optional<std::vector<Bytes>> downloadReplies(BytesView fileName, BytesView content, size_t chunkSize);

// The announcement reply: status, then the text with no separator after it.
// The text loses NUL bytes and separators (the client shows only what follows
// the last separator) and gets CR LF line ends.
Bytes announcementReply(BytesView gbkText);

}  // namespace molan::server
