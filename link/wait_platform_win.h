#pragma once
// The Win32 side of the reply wait: window events keep flowing while the
// window thread sleeps on an event that every mailbox write signals.
#include <cstdint>

#include "link/reply_waiter.h"

namespace molan {

class Win32WaitPlatform : public WaitPlatform {
 public:
  Win32WaitPlatform();
  ~Win32WaitPlatform() override;
  Win32WaitPlatform(const Win32WaitPlatform&) = delete;
  Win32WaitPlatform& operator=(const Win32WaitPlatform&) = delete;

  uint64_t nowMs() override;
  void processEvents() override;
  void sleepUntilActivity(uint32_t ms) override;
  void wake();

 private:
  void* event_;  // auto-reset event, owned
};

// Creates the process-wide platform, hooks it to replyMailbox() and to
// ReplyWaiter with the given poll unit. Called once on the window thread.
void installWin32WaitPlatform(uint32_t pollUnitMs);

}  // namespace molan
