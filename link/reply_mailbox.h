#pragma once
// ReplyMailbox: the name of the last reply a handler finished with. Written by
// reply handlers (network thread) and by senders clearing it (window thread),
// read by the waiter. Every access is a whole-value operation under one lock.
#include <functional>
#include <mutex>

#include "link/bytes.h"

namespace molan {

class ReplyMailbox {
 public:
  Bytes get() const;
  bool holds(BytesView name) const;
  // Sets the reply name and wakes a waiting sender.
  void set(BytesView name);
  void clear() { set({}); }
  // Called after every write, outside the lock: the Win32 layer signals the
  // event its waiter sleeps on. Set once, before the link starts.
  void setWakeUp(std::function<void()> wakeUp);

 private:
  mutable std::mutex mutex_;
  Bytes name_;
  std::function<void()> wakeUp_;
};

// The process-wide mailbox.
ReplyMailbox& replyMailbox();

}  // namespace molan
