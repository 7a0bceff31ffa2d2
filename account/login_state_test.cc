#include "account/login_state.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace molan {
namespace {

TEST(LoginStateTest, StartsEmptySetsAndClearsWholeValue) {
  clearLoginState();
  EXPECT_TRUE(loginState().account.empty());
  EXPECT_EQ(loginState().balance, 0);
  setLoginState({"abc12345", 120});
  EXPECT_EQ(loginState().account, "abc12345");
  EXPECT_EQ(loginState().balance, 120);
  clearLoginState();
  EXPECT_TRUE(loginState().account.empty());
  EXPECT_EQ(loginState().balance, 0);
}

// A reader never sees the account of one write with the balance of another.
TEST(LoginStateTest, ConcurrentReadersSeeConsistentPairs) {
  clearLoginState();
  std::thread writer([] {
    for (int i = 0; i < 2000; ++i) setLoginState(i % 2 ? LoginState{"odd00000", 1} : LoginState{"even0000", 2});
  });
  bool consistent = true;
  for (int i = 0; i < 2000; ++i) {
    const LoginState s = loginState();
    if (s.account == "odd00000" && s.balance != 1) consistent = false;
    if (s.account == "even0000" && s.balance != 2) consistent = false;
  }
  writer.join();
  EXPECT_TRUE(consistent);
  clearLoginState();
}

TEST(LoginStateTest, LoginPassedFlag) {
  setLoginPassed(true);
  EXPECT_TRUE(loginPassed());
  setLoginPassed(false);
  EXPECT_FALSE(loginPassed());
}

}  // namespace
}  // namespace molan
