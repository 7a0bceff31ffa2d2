#include "server/session_registry.h"

#include <gtest/gtest.h>

namespace molan::server {
namespace {

using Claim = SessionRegistry::Claim;

TEST(SessionRegistry, OneOpenConnectionPerAccount) {
  SessionRegistry r;
  r.open(1);
  r.open(2);
  EXPECT_EQ(r.claim(1, "alice"), Claim::kClaimed);
  EXPECT_EQ(r.claim(1, "alice"), Claim::kClaimed);
  EXPECT_EQ(r.claim(2, "alice"), Claim::kTaken);
  EXPECT_EQ(r.accountOf(1), "alice");
  EXPECT_EQ(r.accountOf(2), "");
  // Switching accounts lets go of the old one.
  EXPECT_EQ(r.claim(1, "bob"), Claim::kClaimed);
  EXPECT_EQ(r.claim(2, "alice"), Claim::kClaimed);
  EXPECT_EQ(r.claim(2, "bob"), Claim::kTaken);
  r.close(1);
  EXPECT_EQ(r.claim(2, "bob"), Claim::kClaimed);
  EXPECT_EQ(r.claim(1, "carol"), Claim::kClosed);
  EXPECT_EQ(r.accountOf(1), "");
}

TEST(SessionRegistry, VerificationIsPerConnectionAccountAndTime) {
  SessionRegistry r;
  const auto t0 = SessionRegistry::Clock::now();
  const auto window = std::chrono::minutes(10);
  r.open(1);
  r.open(2);
  r.markVerified(1, "alice", t0);
  EXPECT_TRUE(r.isVerified(1, "alice", t0 + std::chrono::minutes(9), window));
  EXPECT_FALSE(r.isVerified(1, "alice", t0 + std::chrono::minutes(11), window));
  EXPECT_FALSE(r.isVerified(1, "bob", t0, window));
  EXPECT_FALSE(r.isVerified(2, "alice", t0, window));
  r.clearVerified(1);
  EXPECT_FALSE(r.isVerified(1, "alice", t0, window));
  r.markVerified(2, "alice", t0);
  r.close(2);
  EXPECT_FALSE(r.isVerified(2, "alice", t0, window));
}

}  // namespace
}  // namespace molan::server
