// The reply wait on a real window thread: window messages keep flowing while
// it sleeps, a mailbox write from another thread ends it at once, and a reply
// that never comes ends it after its bound.
#include "link/wait_platform_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "link/reply_mailbox.h"

namespace molan {
namespace {

int timerTicks = 0;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

class WaitPlatformTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { installWin32WaitPlatform(1); }
  void SetUp() override { replyMailbox().clear(); }
};

TEST_F(WaitPlatformTest, ReplyFromAnotherThreadEndsTheWaitAndEventsFlow) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  timerTicks = 0;
  SetTimer(window, 1, 10, countTick);
  std::thread handler([] {
    Sleep(300);
    replyMailbox().set("登录返回");
  });
  const ULONGLONG t0 = GetTickCount64();
  EXPECT_TRUE(ReplyWaiter::wait("登录返回", 20000));
  const ULONGLONG took = GetTickCount64() - t0;
  handler.join();
  EXPECT_GE(took, 250u);
  EXPECT_LT(took, 5000u);
  EXPECT_GT(timerTicks, 3);  // the window's timer kept firing during the wait
  KillTimer(window, 1);
  DestroyWindow(window);
}

TEST_F(WaitPlatformTest, NoReplyRunsOutAfterTheBound) {
  const ULONGLONG t0 = GetTickCount64();
  EXPECT_FALSE(ReplyWaiter::wait("登录返回", 300));
  const ULONGLONG took = GetTickCount64() - t0;
  EXPECT_GE(took, 290u);
  EXPECT_LT(took, 3000u);
}

TEST_F(WaitPlatformTest, DelayWithEventsLastsItsTime) {
  const ULONGLONG t0 = GetTickCount64();
  DelayWithEvents(100);
  EXPECT_GE(GetTickCount64() - t0, 95u);
}

}  // namespace
}  // namespace molan
