#include "server/sqlite_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "server/testing/server_process.h"

namespace molan::server {
namespace {

class SqliteStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::makeTempDir();
    std::string error;
    store_ = SqliteStore::open(dir_ + "/t.db", &error);
    ASSERT_TRUE(store_) << error;
  }
  void TearDown() override {
    store_.reset();
    std::filesystem::remove_all(dir_);
  }
  AccountRecord account(const std::string& name, int64_t balance, const std::string& machine = "M1") {
    return {name, "$argon2id$p", "问题", "$argon2id$a", balance, machine, 1};
  }
  std::string dir_;
  std::unique_ptr<SqliteStore> store_;
};

TEST(ChargeRule, Decisions) {
  const ChargeRule rule{2, 10, 4};
  struct Case {
    int64_t personal, pub, balance;
    ChargeResult result;
  } cases[] = {
      {0, 0, 0, ChargeResult::kFree},     {1, 9, 0, ChargeResult::kFree},    {2, 0, 4, ChargeResult::kCharged},
      {0, 10, 4, ChargeResult::kCharged}, {2, 0, 3, ChargeResult::kShort},   {0, 10, 0, ChargeResult::kShort},
  };
  for (const auto& c : cases) EXPECT_EQ(decideCharge(c.personal, c.pub, c.balance, rule), c.result);
}

TEST_F(SqliteStoreTest, CreateLookupAndMachineLimit) {
  EXPECT_EQ(store_->create(account("alice123", 5), 2), CreateResult::kCreated);
  EXPECT_EQ(store_->create(account("alice123", 5, "M2"), 2), CreateResult::kTaken);
  EXPECT_EQ(store_->create(account("bob12345", 5), 2), CreateResult::kCreated);
  EXPECT_EQ(store_->create(account("carol123", 5), 2), CreateResult::kLimitReached);
  EXPECT_EQ(store_->countByMachine("M1"), 2);
  const Lookup a = store_->lookup("alice123");
  ASSERT_EQ(a.status, LookupStatus::kFound);
  EXPECT_EQ(a.account.question, Bytes("问题"));
  EXPECT_EQ(store_->lookup("alice12'; DROP TABLE accounts; --").status, LookupStatus::kMissing);
  EXPECT_EQ(store_->listAccounts().size(), 2u);
  EXPECT_TRUE(store_->setPasswordHash("alice123", "$argon2id$new"));
  EXPECT_FALSE(store_->setPasswordHash("nobody12", "$argon2id$new"));
  EXPECT_EQ(store_->lookup("alice123").account.passwordHash, "$argon2id$new");
}

TEST_F(SqliteStoreTest, TopUpKeepsTheBalanceInRange) {
  ASSERT_EQ(store_->create(account("alice123", 5), 9), CreateResult::kCreated);
  EXPECT_EQ(store_->topUp("alice123", 10), 15);
  EXPECT_EQ(store_->topUp("alice123", -15), 0);
  EXPECT_FALSE(store_->topUp("alice123", -1));
  EXPECT_FALSE(store_->topUp("alice123", 2147483648LL));
  EXPECT_FALSE(store_->topUp("nobody12", 1));
}

TEST_F(SqliteStoreTest, ChargingAcrossAllowances) {
  ASSERT_EQ(store_->create(account("alice123", 10), 9), CreateResult::kCreated);
  ASSERT_EQ(store_->create(account("bob12345", 0), 9), CreateResult::kCreated);
  const ChargeRule rule{1, 2, 4};
  const std::string day = "2026-01-01";
  EXPECT_EQ(store_->previewCharge("alice123", day, rule), ChargeResult::kFree);
  EXPECT_EQ(store_->charge("alice123", day, rule), ChargeResult::kFree);
  EXPECT_EQ(store_->charge("alice123", day, rule), ChargeResult::kCharged);
  EXPECT_EQ(store_->charge("bob12345", day, rule), ChargeResult::kFree);  // the last public one
  EXPECT_EQ(store_->charge("bob12345", day, rule), ChargeResult::kShort);
  EXPECT_EQ(store_->charge("alice123", day, rule), ChargeResult::kCharged);
  EXPECT_EQ(store_->previewCharge("alice123", day, rule), ChargeResult::kShort);
  EXPECT_EQ(store_->charge("alice123", day, rule), ChargeResult::kShort);
  EXPECT_EQ(store_->lookup("alice123").account.balance, 2);
  // A new day brings the allowances back.
  EXPECT_EQ(store_->charge("bob12345", "2026-01-02", rule), ChargeResult::kFree);
  EXPECT_EQ(store_->charge("nobody12", day, rule), ChargeResult::kFailed);
}

TEST_F(SqliteStoreTest, FeedbackAndReleases) {
  EXPECT_TRUE(store_->addFeedback("alice123", 100, Bytes("留言\0!", 7)));
  EXPECT_TRUE(store_->addFeedback("", 101, "x"));
  const auto f = store_->listFeedback();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].text, Bytes("留言\0!", 7));
  EXPECT_FALSE(store_->currentRelease());
  EXPECT_TRUE(store_->publishRelease({"1.0.0.2", false, "a.exe", "/x/a.exe"}));
  EXPECT_TRUE(store_->publishRelease({"1.0.0.3", true, "b.exe", "/x/b.exe"}));
  const auto r = store_->currentRelease();
  ASSERT_TRUE(r);
  EXPECT_EQ(r->version, "1.0.0.3");
  EXPECT_TRUE(r->forced);
}

}  // namespace
}  // namespace molan::server
