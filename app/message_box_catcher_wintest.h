#pragma once
// For Win32 tests: answers every message box this process shows (OK) from a
// watcher thread, and keeps the text and title of each, in order.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace molan::win::testing {

struct CaughtBox {
  std::wstring text;
  std::wstring title;
};

class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  ~MessageBoxCatcher();
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

  std::vector<CaughtBox> boxes() const;
  // Waits up to `ms` for at least `count` boxes to have been answered.
  bool waitFor(size_t count, int ms) const;

 private:
  void watch();
  void answer(HWND box);

  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<CaughtBox> boxes_;
  std::set<HWND> answered_;
  std::thread thread_;
};

// Runs window messages for `ms` milliseconds.
void pumpMessages(int ms);

}  // namespace molan::win::testing
