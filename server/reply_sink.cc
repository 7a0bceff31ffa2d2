#include "server/reply_sink.h"

#include <sys/eventfd.h>
#include <unistd.h>

namespace molan::server {

CompletionQueue::CompletionQueue() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CompletionQueue::~CompletionQueue() {
  if (fd_ >= 0) ::close(fd_);
}

void CompletionQueue::push(Finished finished) {
  {
    std::lock_guard lock(mutex_);
    items_.push_back(std::move(finished));
  }
  const uint64_t one = 1;
  [[maybe_unused]] const auto n = ::write(fd_, &one, sizeof one);
}

std::vector<Finished> CompletionQueue::take() {
  uint64_t count = 0;
  [[maybe_unused]] const auto n = ::read(fd_, &count, sizeof count);
  std::lock_guard lock(mutex_);
  std::vector<Finished> out;
  out.swap(items_);
  return out;
}

void ReplySink::deliver(std::vector<Bytes> frames, Bytes status) const {
  queue_->push({conn_, seq_, std::move(frames), std::move(status)});
}

void ReplySink::deliver(Bytes frame, Bytes status) const {
  std::vector<Bytes> frames;
  frames.push_back(std::move(frame));
  deliver(std::move(frames), std::move(status));
}

}  // namespace molan::server
