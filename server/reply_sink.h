#pragma once
// Hand-over of finished replies from handlers (on any thread) to the event
// loop. Each request gets one ReplySink; delivering through it queues the
// plain reply frames with the request's connection and sequence number and
// wakes the loop through an eventfd. The loop enciphers, packs and sends them
// in request order.
#include <cstdint>
#include <mutex>
#include <vector>

#include "link/bytes.h"

namespace molan::server {

struct Finished {
  uint64_t conn = 0;
  uint64_t seq = 0;
  std::vector<Bytes> frames;  // plain frames, sent in this order
  Bytes status;               // GBK, for the request log
};

class CompletionQueue {
 public:
  CompletionQueue();
  ~CompletionQueue();
  CompletionQueue(const CompletionQueue&) = delete;
  CompletionQueue& operator=(const CompletionQueue&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  void push(Finished finished);
  // Everything queued so far; clears the eventfd's count.
  std::vector<Finished> take();

 private:
  int fd_;
  std::mutex mutex_;
  std::vector<Finished> items_;
};

class ReplySink {
 public:
  ReplySink(CompletionQueue* queue, uint64_t conn, uint64_t seq) : queue_(queue), conn_(conn), seq_(seq) {}
  uint64_t conn() const { return conn_; }
  void deliver(std::vector<Bytes> frames, Bytes status) const;
  void deliver(Bytes frame, Bytes status) const;

 private:
  CompletionQueue* queue_;
  uint64_t conn_;
  uint64_t seq_;
};

}  // namespace molan::server
