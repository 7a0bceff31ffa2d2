#pragma once
// One line per request on stderr: local time, connection, command, status and
// milliseconds. GBK texts are written as UTF-8. Lines are written whole, so
// lines from several threads never mix.
#include <cstdint>
#include <string>

#include "link/bytes.h"

namespace molan::server {

void logRequest(uint64_t conn, BytesView command, BytesView status, long long ms);
// A server event (start, stop, a closed connection and why).
void logEvent(const std::string& text);

}  // namespace molan::server
