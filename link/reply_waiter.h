#pragma once
// The bounded wait for a named reply. A sender waits on the window thread and
// keeps window events flowing, but sleeps between looks at the mailbox instead
// of spinning: it wakes when a window event arrives or the mailbox is written.
// One poll stands for `pollUnitMs` of waiting (16 ms in the shipped build), so
// 5000 polls bound the wait at about 80 s and 10000 at about 160 s.
#include <cstdint>

#include "link/bytes.h"
#include "link/reply_mailbox.h"

namespace molan {

// What the waiter needs of the platform; the Win32 layer implements it with
// GetTickCount64 and MsgWaitForMultipleObjects, tests with a fake clock.
class WaitPlatform {
 public:
  virtual ~WaitPlatform() = default;
  virtual uint64_t nowMs() = 0;
  // Runs every pending window event.
  virtual void processEvents() = 0;
  // Sleeps until a window event is pending, the mailbox was written, or `ms`
  // milliseconds have passed, whichever comes first.
  virtual void sleepUntilActivity(uint32_t ms) = 0;
};

class ReplyWaiter {
 public:
  // Process-wide set-up, done once at start by the Win32 layer.
  static void setPlatform(WaitPlatform* platform, uint32_t pollUnitMs);

  // True as soon as the mailbox holds `expected`; false once `polls` poll
  // units have passed without it. There is no last look after the bound.
  static bool wait(BytesView expected, int polls);
  static bool wait(ReplyMailbox& mailbox, WaitPlatform& platform, uint32_t pollUnitMs,
                   BytesView expected, int polls);
};

// Processes window events for `ms` milliseconds (nothing when ms <= 0).
void DelayWithEvents(int ms);
void DelayWithEvents(WaitPlatform& platform, int ms);

}  // namespace molan
