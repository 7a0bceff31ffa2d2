// Measures the processor time the window thread spends while a sender waits
// for a reply that never comes: the sleeping wait against a wait that spins
// (processing events and reading the tick counter without ever sleeping).
// Prints one line per variant: wall seconds, CPU seconds, percent of a core.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "link/reply_waiter.h"
#include "link/wait_platform_win.h"

namespace {

double processCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

void report(const char* name, double wall, double cpu) {
  std::printf("%-16s wall %.2f s  cpu %.3f s  %.2f %% of one core\n", name, wall, cpu, 100.0 * cpu / wall);
}

// A spinning wait: four passes over pending events per look, never sleeping.
void spinningWait(int ms) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(ms);
  MSG msg;
  while (GetTickCount64() <= deadline) {
    for (int i = 0; i < 4; ++i) {
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  // A window gives the thread a message queue, as the client's window thread has.
  HWND window = CreateWindowExW(0, L"STATIC", L"wait", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  molan::installWin32WaitPlatform(16);

  double cpu0 = processCpuSeconds();
  ULONGLONG t0 = GetTickCount64();
  const bool got = molan::ReplyWaiter::wait("登录返回", seconds * 1000 / 16);
  report("sleeping wait", static_cast<double>(GetTickCount64() - t0) / 1000.0, processCpuSeconds() - cpu0);

  cpu0 = processCpuSeconds();
  t0 = GetTickCount64();
  spinningWait(seconds * 1000 / 5);
  report("spinning wait", static_cast<double>(GetTickCount64() - t0) / 1000.0, processCpuSeconds() - cpu0);
  DestroyWindow(window);
  return got ? 1 : 0;  // nothing ever answers, so the wait must have run out
}
