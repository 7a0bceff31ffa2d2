#include "link/frame.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/reply_dispatch.h"

namespace molan {
namespace {

TEST(Frame, BuildsFieldsEachFollowedBySeparator) {
  EXPECT_EQ(buildFrame("取公告"), "青柯<||||>墨澜<||||>取公告<||||>");
  EXPECT_EQ(buildFrame("登录", {"abc12345", "pw", "M"}),
            "青柯<||||>墨澜<||||>登录<||||>abc12345<||||>pw<||||>M<||||>");
  const Bytes raw("\x00\xff", 2);
  const Bytes f = buildFrame("x", {raw});
  EXPECT_EQ(f.substr(f.size() - 8), raw + "<||||>");
}

TEST(Frame, PrefixesAndStatuses) {
  const Bytes reply = "青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>";
  EXPECT_TRUE(beginsWith(reply, ReplyPrefix("登录返回")));
  for (const auto& c : kCommandIndex) {
    if (c.replyName != "登录返回") {
      EXPECT_FALSE(beginsWith(reply, ReplyPrefix(c.replyName)));
    }
  }
  EXPECT_TRUE(hasStatus(reply, "登录返回", "密码错误"));
  EXPECT_FALSE(hasStatus(reply, "登录返回", "密码"));
  EXPECT_TRUE(hasStatus(reply, "登录返回", "密码", true));
  EXPECT_EQ(replyNameOf("登录"), "登录返回");
  for (const auto& c : kCommandIndex) EXPECT_EQ(replyNameOf(c.command), c.replyName);
}

TEST(ReplyDispatch, FixedOrderAndDrops) {
  ReplyDispatch d;
  std::vector<int> ran;
  for (size_t i = 0; i < kCommandIndex.size(); ++i) {
    d.setHandler(kCommandIndex[i].replyName, [&ran, i](const Bytes&) { ran.push_back(static_cast<int>(i)); });
  }
  EXPECT_EQ(d.dispatch("青柯<||||>墨澜<||||>通用文字识别_标准返回<||||>余额不足<||||>"), 8);
  EXPECT_EQ(ran, std::vector<int>{8});
  ran.clear();
  EXPECT_EQ(d.dispatch("青柯<||||>墨澜<||||>登录返回<||||>x<||||>"), 3);
  EXPECT_EQ(ran, std::vector<int>{3});
  ran.clear();
  EXPECT_EQ(d.dispatch("青柯<||||>墨澜<||||>未知返回<||||>"), -1);
  EXPECT_EQ(d.dispatch(""), -1);
  EXPECT_EQ(d.dispatch("青柯<||||>墨澜<||||>登录返回"), -1);  // truncated
  EXPECT_TRUE(ran.empty());
  // A handler that is not registered: matched, dropped without a fault.
  ReplyDispatch empty;
  EXPECT_EQ(empty.dispatch("青柯<||||>墨澜<||||>取公告返回<||||>"), 6);
}

}  // namespace
}  // namespace molan
