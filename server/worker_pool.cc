#include "server/worker_pool.h"

namespace molan::server {

WorkerPool::WorkerPool(size_t threads, size_t queueLimit) : threadCount_(threads), queueLimit_(queueLimit) {
  for (size_t i = 0; i < threads; ++i) threads_.emplace_back([this, i] { run(i); });
}

WorkerPool::~WorkerPool() { stop(); }

bool WorkerPool::submit(Job job) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_ || jobs_.size() >= queueLimit_ + idle_) return false;
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
  return true;
}

void WorkerPool::stop() {
  {
    std::lock_guard lock(mutex_);
    if (stopping_ && threads_.empty()) return;
    stopping_ = true;
  }
  wake_.notify_all();
  for (auto& t : threads_) t.join();
  threads_.clear();
}

void WorkerPool::run(size_t index) {
  std::unique_lock lock(mutex_);
  for (;;) {
    ++idle_;
    wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
    --idle_;
    if (jobs_.empty()) return;  // stopping and drained
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    lock.unlock();
    job(index);
    lock.lock();
  }
}

}  // namespace molan::server
