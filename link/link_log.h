#pragma once
// LinkLog: the link's diagnostic step. It shows and writes nothing; the last
// entries are kept in memory so a debugger (or a test) can look at them.
#include <vector>

#include "link/bytes.h"

namespace molan {

void LinkLog(BytesView title, BytesView text);
// The most recent entries, oldest first, as "title: text".
std::vector<Bytes> recentLinkLog();

}  // namespace molan
