#pragma once
// GBK <-> UTF-8 with iconv, for the few places where the server meets UTF-8:
// its log, the admin command line and an announcement file kept in UTF-8.
#include <optional>
#include <string>

#include "link/bytes.h"

namespace molan::server {

std::optional<std::string> gbkToUtf8(BytesView gbk);
std::optional<Bytes> utf8ToGbk(std::string_view utf8);

// For logs: the UTF-8 form, or the bytes with every non-ASCII byte as \xNN
// when they are not GBK.
std::string printable(BytesView gbk);

}  // namespace molan::server
