#pragma once
// A fixed set of threads taking jobs from one bounded queue. A job learns the
// index of the thread that runs it, so per-thread resources (one OCR engine
// per thread) can be picked without locking. submit() refuses instead of
// blocking when the queue is full: the caller answers "busy".
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace molan::server {

class WorkerPool {
 public:
  using Job = std::function<void(size_t worker)>;

  // `queueLimit` counts jobs waiting for a thread, not the running ones.
  WorkerPool(size_t threads, size_t queueLimit);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // False when the queue is full or the pool is stopping.
  bool submit(Job job);
  // Runs every job already queued, then joins the threads. Idempotent.
  void stop();
  size_t threads() const { return threadCount_; }

 private:
  void run(size_t index);

  size_t threadCount_;
  size_t queueLimit_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  size_t idle_ = 0;  // threads waiting for a job; a job they take at once does not wait
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace molan::server
