#include "account/login_reply.h"

#include <gtest/gtest.h>

#include "link/frame.h"

namespace molan {
namespace {

const Bytes kPrefix = "青柯<||||>墨澜<||||>登录返回<||||>";

TEST(LoginRequest, FieldsInOrder) {
  EXPECT_EQ(buildLoginRequest("abc12345", "", "52565552565256562020202920265551F4CCB51A9"),
            "青柯<||||>墨澜<||||>登录<||||>abc12345<||||><||||>52565552565256562020202920265551F4CCB51A9<||||>");
  EXPECT_EQ(buildLoginRequest("用户", "p w", "X"), "青柯<||||>墨澜<||||>登录<||||>用户<||||>p w<||||>X<||||>");
}

TEST(LoginReply, StatusTable) {
  struct Case {
    Bytes reply;
    LoginStatus status;
    const char* message;  // nullptr: none shown
    const char* title;
    bool warning;
  };
  const Case cases[] = {
      {kPrefix + "服务器网络繁忙<||||>", LoginStatus::Busy, "服务器网络繁忙，请稍后重试", "提示", false},
      {kPrefix + "账号不存在<||||>", LoginStatus::NoAccount, "账号不存在", "警告", true},
      {kPrefix + "密码错误<||||>", LoginStatus::WrongPassword, "密码错误", "警告", true},
      {kPrefix + "账号已被登录<||||>", LoginStatus::AlreadyLoggedIn, "账号已被登录", "警告", true},
      {kPrefix + "账号密码正确<||||>abc12345<||||>120<||||>", LoginStatus::Passed, nullptr, nullptr, false},
      {kPrefix + "账号被冻结<||||>", LoginStatus::Other, nullptr, nullptr, false},
      // The status must be a whole field.
      {kPrefix + "密码错误了<||||>", LoginStatus::Other, nullptr, nullptr, false},
      {kPrefix + "账号密码正确", LoginStatus::Other, nullptr, nullptr, false},
      // Another command's reply is not a login reply.
      {"青柯<||||>墨澜<||||>注册账号返回<||||>密码错误<||||>", LoginStatus::Other, nullptr, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    EXPECT_EQ(loginStatusOf(c.reply), c.status);
    const auto message = loginStatusMessage(loginStatusOf(c.reply));
    ASSERT_EQ(message.has_value(), c.message != nullptr);
    if (!message) continue;
    EXPECT_EQ(message->text, c.message);
    EXPECT_EQ(message->title, c.title);
    EXPECT_EQ(message->warning, c.warning);
  }
}

TEST(LoginReply, AccountAndBalance) {
  struct Case {
    Bytes tail;  // after the status field
    Bytes account;
    int32_t balance;
  };
  const Case cases[] = {
      {"abc12345<||||>120<||||>", "abc12345", 120},
      {"abc12345<||||>每日免费：3<||||>-5<||||>", "abc12345", -5},
      {"用户一号<||||>x<||||>y<||||>88<||||>", "用户一号", 88},
      {"abc12345<||||>many<||||>", "abc12345", 0},
      {"abc12345<||||>", "abc12345", 0},  // the name is also the last field: no number
      {"abc12345<||||>99999999999<||||>", "abc12345", 2147483647},
      {"abc12345<||||>  42abc<||||>", "abc12345", 42},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    const LoginGrant g = loginGrantOf(kPrefix + "账号密码正确<||||>" + c.tail);
    EXPECT_EQ(g.account, c.account);
    EXPECT_EQ(g.balance, c.balance);
  }
}

TEST(TextBetweenLastTest, LastEndAndNearestStart) {
  struct Case {
    Bytes text, start, end, expected;
  };
  const Case cases[] = {
      {"a<||||>b<||||>c<||||>", "<||||>", "<||||>", "c"},
      {"[1][2][3]", "[", "]", "3"},
      {"[1][2]tail", "[", "]", "2"},
      {"x[1]y]", "[", "]", "1]y"},   // last end, nearest start before it
      {"[a[b]", "[", "]", "b"},
      {"abc", "[", "]", ""},
      {"[abc", "[", "]", ""},
      {"abc]", "[", "]", ""},
      {"][", "[", "]", ""},            // the start must end before the end marker
      {"<>", "<", ">", ""},
      {Bytes("[a]\0[b]", 7), "[", "]", "a"},  // text ends at its first zero byte
      // 0x81 0x5D is one GBK character whose second byte is "]".
      {Bytes("[x]\x81]"), "[", "]", "x"},
      {Bytes("[x]\x81][y]\x81]"), "[", "]", "y"},
      {"", "[", "]", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextBetweenLast(c.text, c.start, c.end), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace molan
