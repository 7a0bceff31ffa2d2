// Login replies cut short at every byte or with bytes flipped: reading the
// status and the grant never reads outside the reply (AddressSanitizer in the
// native tests), and a reply that lost its ending is never taken for a pass.
#include <gtest/gtest.h>

#include <random>

#include "account/login_reply.h"

namespace molan {
namespace {

const Bytes kPass = "青柯<||||>墨澜<||||>登录返回<||||>账号密码正确<||||>abc12345<||||>120<||||>";

TEST(LoginReplyRobustness, EveryTruncation) {
  const size_t statusEnd = kPass.find("正确<||||>") + Bytes("正确<||||>").size();
  for (size_t n = 0; n <= kPass.size(); ++n) {
    const BytesView cut = BytesView(kPass).substr(0, n);
    const LoginStatus status = loginStatusOf(cut);
    EXPECT_EQ(status == LoginStatus::Passed, n >= statusEnd) << n;
    const LoginGrant grant = loginGrantOf(cut);
    EXPECT_LE(grant.account.size(), 8u);
  }
  EXPECT_EQ(loginGrantOf(kPass).account, "abc12345");
  EXPECT_EQ(loginGrantOf(kPass).balance, 120);
}

TEST(LoginReplyRobustness, FlippedBytes) {
  std::mt19937 random(4242);
  static const char kBytes[] = {'<', '|', '>', '\0', '\x81', '\xff', '-', '9'};
  for (int round = 0; round < 5000; ++round) {
    Bytes bad = kPass;
    for (int f = 0; f < 3; ++f) bad[random() % bad.size()] = kBytes[random() % sizeof(kBytes)];
    loginStatusOf(bad);
    const LoginGrant grant = loginGrantOf(bad);
    EXPECT_LE(grant.account.size(), bad.size());
  }
}

}  // namespace
}  // namespace molan
