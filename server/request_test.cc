#include "server/request.h"

#include <gtest/gtest.h>

#include "link/frame.h"

namespace molan::server {
namespace {

TEST(Request, KnownCommandsWithTheirFields) {
  struct Case {
    Bytes frame;
    Command command;
    std::vector<Bytes> fields;
    int kind;
  } cases[] = {
      {buildFrame("取公告"), Command::kAnnouncement, {}, -1},
      {buildFrame("取推送版本号"), Command::kPushedVersion, {}, -1},
      {buildFrame("取新版本客户端"), Command::kNewClient, {}, -1},
      {buildFrame("登录", {"a", "", "M"}), Command::kLogin, {"a", "", "M"}, -1},
      {buildFrame("注册账号", {"a", "b", "c", "d", "e"}), Command::kRegister, {"a", "b", "c", "d", "e"}, -1},
      {buildFrame("安全验证", {"a", "b", "c"}), Command::kSecurityCheck, {"a", "b", "c"}, -1},
      {buildFrame("设置新密码", {"a", "b"}), Command::kNewPassword, {"a", "b"}, -1},
      {buildFrame("反馈留言", {"x<||||>y"}), Command::kFeedback, {"x<||||>y"}, -1},
      {buildFrame("反馈留言", {""}), Command::kFeedback, {""}, -1},
      {buildFrame("通用文字识别_标准", {"YWJj"}), Command::kRecognize, {"YWJj"}, 0},
      {buildFrame("通用文字识别_高精度含位置", {"YWJj"}), Command::kRecognize, {"YWJj"}, 3},
  };
  for (const auto& c : cases) {
    const auto r = parseRequest(c.frame);
    ASSERT_TRUE(r) << c.frame;
    EXPECT_EQ(r->command, c.command);
    EXPECT_EQ(r->fields, c.fields);
    EXPECT_EQ(r->kindIndex, c.kind);
    EXPECT_EQ(r->replyName, r->name + "返回");
  }
}

TEST(Request, UnknownOrMalformedFrames) {
  const Bytes frames[] = {
      "",
      "青柯<||||>墨澜<||||>",
      "青柯<||||>墨澜<||||>取公告",
      "青柯<||||>别的<||||>取公告<||||>",
      buildFrame("取公告返回"),
      buildFrame("通用文字识别"),
      buildFrame("登录", {"a", "b"}),
      buildFrame("登录", {"a", "b", "c", "d"}),
      buildFrame("取公告", {"extra"}),
      buildFrame("通用文字识别_标准"),
      Bytes("青柯<||||>墨澜<||||>反馈留言<||||>"),
  };
  for (const auto& f : frames) EXPECT_FALSE(parseRequest(f)) << f;
}

}  // namespace
}  // namespace molan::server
