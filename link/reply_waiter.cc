#include "link/reply_waiter.h"

#include <algorithm>

namespace molan {
namespace {

WaitPlatform* gPlatform = nullptr;
uint32_t gPollUnitMs = 16;

// Sleeps in slices no longer than this, so a clock that jumps (or an event
// that is lost) never makes a wait overshoot its bound by much.
constexpr uint64_t kMaxSliceMs = 50;

}  // namespace

void ReplyWaiter::setPlatform(WaitPlatform* platform, uint32_t pollUnitMs) {
  gPlatform = platform;
  gPollUnitMs = pollUnitMs;
}

bool ReplyWaiter::wait(BytesView expected, int polls) {
  if (gPlatform == nullptr) return replyMailbox().holds(expected);
  return wait(replyMailbox(), *gPlatform, gPollUnitMs, expected, polls);
}

bool ReplyWaiter::wait(ReplyMailbox& mailbox, WaitPlatform& platform, uint32_t pollUnitMs,
                       BytesView expected, int polls) {
  if (polls <= 0) return false;
  if (mailbox.holds(expected)) return true;
  const uint64_t deadline = platform.nowMs() + static_cast<uint64_t>(polls) * pollUnitMs;
  while (true) {
    platform.processEvents();
    if (mailbox.holds(expected)) return true;
    const uint64_t now = platform.nowMs();
    if (now >= deadline) return false;
    platform.sleepUntilActivity(static_cast<uint32_t>(std::min(deadline - now, kMaxSliceMs)));
    if (platform.nowMs() >= deadline) return false;
    if (mailbox.holds(expected)) return true;
  }
}

void DelayWithEvents(int ms) {
  if (gPlatform != nullptr) DelayWithEvents(*gPlatform, ms);
}

void DelayWithEvents(WaitPlatform& platform, int ms) {
  if (ms <= 0) return;
  const uint64_t deadline = platform.nowMs() + static_cast<uint64_t>(ms);
  while (true) {
    platform.processEvents();
    const uint64_t now = platform.nowMs();
    if (now >= deadline) return;
    platform.sleepUntilActivity(static_cast<uint32_t>(std::min(deadline - now, kMaxSliceMs)));
  }
}

}  // namespace molan
