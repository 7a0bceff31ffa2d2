// Account commands over real TCP against a real server process.
#include <gtest/gtest.h>

#include "link/frame.h"
#include "server/sqlite_store.h"
#include "server/testing/server_process.h"
#include "server/testing/test_client.h"

namespace molan::server {
namespace {

using testing::ServerProcess;
using testing::TestClient;

constexpr BytesView kMachine = "52565552565256562020202920265551F4CCB51A9";
constexpr BytesView kOtherMachine = "F4CCB51A9";

Bytes registerFrame(BytesView account, BytesView password, BytesView question, BytesView answer, BytesView machine) {
  return buildFrame("注册账号", {account, password, question, answer, machine});
}

Bytes status(BytesView replyName, BytesView word) { return buildFrame(replyName, {word}); }

class AccountProtocol : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new ServerProcess({"--machine-limit", "2", "--starting-balance", "30"});
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  static ServerProcess* server_;
};
ServerProcess* AccountProtocol::server_ = nullptr;

TEST_F(AccountProtocol, RegistrationStatuses) {
  ASSERT_TRUE(server_->running()) << server_->log();
  TestClient client(server_->port());
  const Bytes q51(51, 'q');
  struct Case {
    Bytes frame;
    BytesView expected;
  } cases[] = {
      {registerFrame("alice123", "secret99", "我的猫叫什么", "咪咪", kMachine), "账号注册成功"},
      {registerFrame("alice123", "other999", "q", "a", kMachine), "账号已被使用"},
      {registerFrame("bob", "secret99", "q", "a", kMachine), "信息不匹配"},
      {registerFrame("bob_1234", "secret99", "q", "a", kMachine), "信息不匹配"},
      {registerFrame("bob12345", "secret 9", "q", "a", kMachine), "信息不匹配"},
      {registerFrame("bob12345", "secret99", q51, "a", kMachine), "信息不匹配"},
      {registerFrame("bob12345", "secret99", "q", q51, kMachine), "信息不匹配"},
      {registerFrame("bob12345", "secret99", "q", "a", "52565552565256562020202920265551f4ccb51a9"), "信息不匹配"},
      {registerFrame("bob12345", "secret99", "q", "a", "1234"), "信息不匹配"},
      {registerFrame("bob12345", "secret99", Bytes(50, 'q'), Bytes(50, 'a'), kMachine), "账号注册成功"},
      {registerFrame("carol123", "secret99", "q", "a", kMachine), "注册数量超出限制"},
      {registerFrame("carol123", "secret99", "q", "a", kOtherMachine), "账号注册成功"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(client.request(c.frame), status("注册账号返回", c.expected)) << c.expected;
  }
}

TEST_F(AccountProtocol, LoginStatusesAndOneConnectionPerAccount) {
  ASSERT_EQ(server_->admin({"create-account", "dave1234", "password1", "77"}), 0);
  TestClient first(server_->port());
  EXPECT_EQ(first.request(buildFrame("登录", {"nobody12", "password1", kMachine})), status("登录返回", "账号不存在"));
  EXPECT_EQ(first.request(buildFrame("登录", {"dave1234", "Password1", kMachine})), status("登录返回", "密码错误"));
  EXPECT_EQ(first.request(buildFrame("登录", {"dave1234", "password1", kMachine})),
            buildFrame("登录返回", {"账号密码正确", "dave1234", "77"}));
  // The same connection may log in again (the client's logout is local).
  EXPECT_EQ(first.request(buildFrame("登录", {"dave1234", "password1", kMachine})),
            buildFrame("登录返回", {"账号密码正确", "dave1234", "77"}));
  {
    TestClient second(server_->port());
    EXPECT_EQ(second.request(buildFrame("登录", {"dave1234", "password1", kMachine})),
              status("登录返回", "账号已被登录"));
  }
}

TEST_F(AccountProtocol, AccountFreedWhenHolderCloses) {
  ASSERT_EQ(server_->admin({"create-account", "erin1234", "password1", "30"}), 0);
  auto holder = std::make_unique<TestClient>(server_->port());
  EXPECT_EQ(holder->request(buildFrame("登录", {"erin1234", "password1", kMachine})),
            buildFrame("登录返回", {"账号密码正确", "erin1234", "30"}));
  TestClient other(server_->port());
  EXPECT_EQ(other.request(buildFrame("登录", {"erin1234", "password1", kMachine})), status("登录返回", "账号已被登录"));
  holder.reset();
  std::optional<Bytes> reply;
  for (int i = 0; i < 50; ++i) {  // the close reaches the server a moment later
    reply = other.request(buildFrame("登录", {"erin1234", "password1", kMachine}));
    if (reply != status("登录返回", "账号已被登录")) break;
  }
  EXPECT_EQ(reply, buildFrame("登录返回", {"账号密码正确", "erin1234", "30"}));
}

TEST_F(AccountProtocol, SecurityCheckThenNewPassword) {
  TestClient client(server_->port());
  ASSERT_EQ(client.request(registerFrame("frank123", "oldpass1", "出生城市", "杭州", kOtherMachine)),
            status("注册账号返回", "账号注册成功"));
  struct Case {
    Bytes frame;
    Bytes expected;
  } cases[] = {
      // A new password before any check is refused: the request carries no proof.
      {buildFrame("设置新密码", {"frank123", "newpass1"}), status("设置新密码返回", "设置新密码失败")},
      {buildFrame("安全验证", {"nobody12", "出生城市", "杭州"}), status("安全验证返回", "账号不存在")},
      {buildFrame("安全验证", {"frank123", "出生地", "杭州"}), status("安全验证返回", "安全问题错误")},
      {buildFrame("安全验证", {"frank123", "出生城市", "上海"}), status("安全验证返回", "安全答案错误")},
      {buildFrame("安全验证", {"frank123", "出生城市", "杭州"}), status("安全验证返回", "账号安全问答验证通过")},
      {buildFrame("设置新密码", {"nobody12", "newpass1"}), status("设置新密码返回", "账号不存在")},
      {buildFrame("设置新密码", {"alice123", "newpass1"}), status("设置新密码返回", "设置新密码失败")},
      {buildFrame("设置新密码", {"frank123", "short"}), status("设置新密码返回", "设置新密码失败")},
      {buildFrame("设置新密码", {"frank123", "newpass1"}), status("设置新密码返回", "设置新密码成功")},
      // The check is used up by the change.
      {buildFrame("设置新密码", {"frank123", "newpass2"}), status("设置新密码返回", "设置新密码失败")},
      {buildFrame("登录", {"frank123", "oldpass1", kMachine}), status("登录返回", "密码错误")},
      {buildFrame("登录", {"frank123", "newpass1", kMachine}), buildFrame("登录返回", {"账号密码正确", "frank123", "30"})},
  };
  for (const auto& c : cases) EXPECT_EQ(client.request(c.frame), c.expected);
}

TEST(AccountProtocolPaused, PausedRegistration) {
  ServerProcess server({"--registration-paused", "yes"});
  ASSERT_TRUE(server.running()) << server.log();
  TestClient client(server.port());
  EXPECT_EQ(client.request(registerFrame("alice123", "secret99", "q", "a", kMachine)),
            status("注册账号返回", "暂停注册"));
}

TEST_F(AccountProtocol, StoredSecretsAreHashes) {
  TestClient client(server_->port());
  ASSERT_EQ(client.request(registerFrame("gina1234", "secret99", "我的猫叫什么", "咪咪", "ABCDEF123")),
            status("注册账号返回", "账号注册成功"));
  std::string error;
  auto store = SqliteStore::open(server_->dataDir() + "/molan.db", &error);
  ASSERT_TRUE(store) << error;
  const Lookup alice = store->lookup("gina1234");
  ASSERT_EQ(alice.status, LookupStatus::kFound);
  EXPECT_EQ(alice.account.passwordHash.rfind("$argon2id$", 0), 0u);
  EXPECT_EQ(alice.account.answerHash.rfind("$argon2id$", 0), 0u);
  EXPECT_EQ(alice.account.passwordHash.find("secret99"), std::string::npos);
  EXPECT_EQ(alice.account.question, Bytes("我的猫叫什么"));
  EXPECT_EQ(alice.account.balance, 30);
}

}  // namespace
}  // namespace molan::server
