#include "link/link_log.h"

#include <deque>
#include <mutex>

namespace molan {
namespace {

constexpr size_t kKept = 64;
std::mutex gMutex;
std::deque<Bytes>& entries() {
  static std::deque<Bytes> e;
  return e;
}

}  // namespace

void LinkLog(BytesView title, BytesView text) {
  std::lock_guard lock(gMutex);
  auto& e = entries();
  Bytes line(title);
  line.append(": ").append(text);
  e.push_back(std::move(line));
  if (e.size() > kKept) e.pop_front();
}

std::vector<Bytes> recentLinkLog() {
  std::lock_guard lock(gMutex);
  return {entries().begin(), entries().end()};
}

}  // namespace molan
