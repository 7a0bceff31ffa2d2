#include "link/reply_mailbox.h"

namespace molan {

Bytes ReplyMailbox::get() const {
  std::lock_guard lock(mutex_);
  return name_;
}

bool ReplyMailbox::holds(BytesView name) const {
  std::lock_guard lock(mutex_);
  return name_ == name;
}

void ReplyMailbox::set(BytesView name) {
  std::function<void()> wake;
  {
    std::lock_guard lock(mutex_);
    name_.assign(name);
    wake = wakeUp_;
  }
  if (wake) wake();
}

void ReplyMailbox::setWakeUp(std::function<void()> wakeUp) {
  std::lock_guard lock(mutex_);
  wakeUp_ = std::move(wakeUp);
}

ReplyMailbox& replyMailbox() {
  static ReplyMailbox mailbox;
  return mailbox;
}

}  // namespace molan
