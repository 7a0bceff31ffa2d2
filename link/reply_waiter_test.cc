#include "link/reply_waiter.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace molan {
namespace {

// A fake clock: sleeping advances time; scheduled actions run when their time
// comes (as a reply handler on the other thread would).
class FakePlatform : public WaitPlatform {
 public:
  uint64_t nowMs() override { return now; }
  void processEvents() override { ++eventPasses; }
  void sleepUntilActivity(uint32_t ms) override {
    ++sleeps;
    const uint64_t until = now + ms;
    auto it = actions.begin();
    if (it != actions.end() && it->first <= until) {
      now = std::max(now, it->first);
      auto fn = it->second;
      actions.erase(it);
      fn();
      return;
    }
    now = until;
  }
  uint64_t now = 1000;
  int eventPasses = 0;
  int sleeps = 0;
  std::multimap<uint64_t, std::function<void()>> actions;
};

TEST(ReplyWaiter, ReturnsAtOnceWhenTheMailboxAlreadyMatches) {
  ReplyMailbox mailbox;
  FakePlatform p;
  mailbox.set("登录返回");
  EXPECT_TRUE(ReplyWaiter::wait(mailbox, p, 16, "登录返回", 5000));
  EXPECT_EQ(p.sleeps, 0);
  EXPECT_EQ(p.now, 1000u);
}

TEST(ReplyWaiter, FalseAfterTheWholeBound) {
  ReplyMailbox mailbox;
  FakePlatform p;
  mailbox.set("取公告返回");  // another reply's name does not end the wait
  EXPECT_FALSE(ReplyWaiter::wait(mailbox, p, 16, "登录返回", 5000));
  EXPECT_EQ(p.now, 1000u + 5000u * 16u);
  p.now = 0;
  EXPECT_FALSE(ReplyWaiter::wait(mailbox, p, 16, "登录返回", 10000));
  EXPECT_EQ(p.now, 160000u);
  EXPECT_FALSE(ReplyWaiter::wait(mailbox, p, 16, "登录返回", 0));
}

TEST(ReplyWaiter, WakesWhenTheReplyArrivesAndKeepsEventsFlowing) {
  ReplyMailbox mailbox;
  FakePlatform p;
  p.actions.emplace(1000 + 2345, [&] { mailbox.set("登录返回"); });
  EXPECT_TRUE(ReplyWaiter::wait(mailbox, p, 16, "登录返回", 5000));
  EXPECT_EQ(p.now, 3345u);
  EXPECT_GT(p.eventPasses, 0);
  EXPECT_LT(p.sleeps, 100);  // slices of up to 50 ms, not 1-ms spins
}

TEST(ReplyWaiter, LateReplyStaysInTheMailboxForTheNextWait) {
  ReplyMailbox mailbox;
  FakePlatform p;
  EXPECT_FALSE(ReplyWaiter::wait(mailbox, p, 1, "登录返回", 100));
  mailbox.clear();
  mailbox.set("登录返回");  // arrives after the sender gave up
  EXPECT_EQ(mailbox.get(), "登录返回");
  const uint64_t before = p.now;
  EXPECT_TRUE(ReplyWaiter::wait(mailbox, p, 1, "登录返回", 100));
  EXPECT_EQ(p.now, before);
}

TEST(ReplyMailbox, WakeUpRunsOnEveryWrite) {
  ReplyMailbox mailbox;
  int wakes = 0;
  mailbox.setWakeUp([&] { ++wakes; });
  mailbox.set("a");
  mailbox.clear();
  EXPECT_EQ(wakes, 2);
  EXPECT_EQ(mailbox.get(), "");
}

TEST(DelayWithEvents, WaitsTheTimeAndProcessesEvents) {
  FakePlatform p;
  DelayWithEvents(p, 0);
  DelayWithEvents(p, -3);
  EXPECT_EQ(p.now, 1000u);
  EXPECT_EQ(p.eventPasses, 0);
  DelayWithEvents(p, 100);
  EXPECT_EQ(p.now, 1100u);
  EXPECT_GT(p.eventPasses, 1);
}

}  // namespace
}  // namespace molan
