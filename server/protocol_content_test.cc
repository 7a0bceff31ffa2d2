// 取公告, 反馈留言, 取推送版本号 and 取新版本客户端 over real TCP.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "link/fields.h"
#include "link/frame.h"
#include "server/sqlite_store.h"
#include "server/testing/server_process.h"
#include "server/testing/test_client.h"
#include "server/testing/utf8.h"

namespace molan::server {
namespace {

using testing::ServerProcess;
using testing::TestClient;

void writeFile(const std::string& path, BytesView content) {
  std::ofstream(path, std::ios::binary) << content;
}

// A client file whose bytes hold the separator and zero bytes, over several chunks.
Bytes sampleClient() {
  Bytes content;
  for (int i = 0; i < 3000; ++i) content += static_cast<char>(i * 7);
  content += "<||||>MoLan_1.0.0.2.exe<||||>";
  content += Bytes(100, '\0');
  return content;
}

TEST(ContentProtocol, AnnouncementFeedbackVersionAndDownload) {
  const std::string dir = testing::makeTempDir();
  writeFile(dir + "/notice.txt", testing::utf8(u8"欢迎使用墨澜\n第二行"));
  const Bytes client = sampleClient();
  writeFile(dir + "/MoLan_1.0.0.2.exe", client);
  ServerProcess server({"--announcement", dir + "/notice.txt", "--client-version", "1.0.0.2", "--client-file",
                        dir + "/MoLan_1.0.0.2.exe", "--client-forced", "yes", "--chunk-size", "1000"});
  ASSERT_TRUE(server.running()) << server.log();
  TestClient c(server.port());

  const auto notice = c.request(buildFrame("取公告"));
  ASSERT_TRUE(notice);
  EXPECT_EQ(*notice, Bytes("青柯<||||>墨澜<||||>取公告返回<||||>开始发送公告文件<||||>欢迎使用墨澜\r\n第二行"));
  EXPECT_EQ(BytesAfter(*notice, "<||||>", true), Bytes("欢迎使用墨澜\r\n第二行"));

  const auto version = c.request(buildFrame("取推送版本号"));
  ASSERT_TRUE(version);
  EXPECT_EQ(TextBetween(*version, "<||||>客户端最新版本：", "<||||>是否强制更新："), "1.0.0.2");
  EXPECT_EQ(TextBetween(*version, "<||||>是否强制更新：", "<||||>"), "是");

  // The download series, read the way the client reads it.
  ASSERT_TRUE(c.send(buildFrame("取新版本客户端")));
  const auto prep = c.receive();
  ASSERT_TRUE(prep);
  EXPECT_TRUE(hasStatus(*prep, "取新版本客户端返回", "传文件准备"));
  const Bytes name = BytesBetween(*prep, "文件名：", "<||||>");
  EXPECT_EQ(name, "MoLan_1.0.0.2.exe");
  EXPECT_EQ(ReadInt32At(BytesBetween(*prep, "文件大小：", "<||||>")), static_cast<int32_t>(client.size()));
  EXPECT_EQ(ReadInt32At(BytesBetween(*prep, "发送的块大小：", "<||||>")), 1000);
  Bytes received;
  int chunks = 0;
  for (;;) {
    const auto reply = c.receive();
    ASSERT_TRUE(reply);
    if (hasStatus(*reply, "取新版本客户端返回", "正在传文件", true)) {
      received += BytesAfter(*reply, BytesBetween(*reply, "文件名：", "<||||>") + "<||||>");
      ++chunks;
      continue;
    }
    ASSERT_TRUE(hasStatus(*reply, "取新版本客户端返回", "传文件结束"));
    EXPECT_EQ(ReadInt32At(BytesBetween(*reply, "文件大小：", "<||||>")), static_cast<int32_t>(received.size()));
    break;
  }
  EXPECT_EQ(chunks, 4);
  EXPECT_EQ(received, client);

  ASSERT_EQ(server.admin({"create-account", "henry123", "password1"}), 0);
  EXPECT_EQ(c.request(buildFrame("反馈留言", {"没有登录时的留言"})),
            buildFrame("反馈留言返回", {"反馈留言已成功提交"}));
  ASSERT_EQ(c.request(buildFrame("登录", {"henry123", "password1", "F4CCB51A9"})),
            buildFrame("登录返回", {"账号密码正确", "henry123", "20"}));
  EXPECT_EQ(c.request(buildFrame("反馈留言", {"识别很准<||||>谢谢\r\n"})),
            buildFrame("反馈留言返回", {"反馈留言已成功提交"}));
  std::string error;
  auto store = SqliteStore::open(server.dataDir() + "/molan.db", &error);
  ASSERT_TRUE(store) << error;
  const auto feedback = store->listFeedback();
  ASSERT_EQ(feedback.size(), 2u);
  EXPECT_EQ(feedback[0].account, "");
  EXPECT_EQ(feedback[1].account, "henry123");
  EXPECT_EQ(feedback[1].text, Bytes("识别很准<||||>谢谢\r\n"));
  EXPECT_GT(feedback[1].time, 1700000000);

  // A published release replaces the configured one.
  writeFile(dir + "/MoLan_1.0.0.3.exe", "new client");
  ASSERT_EQ(server.admin({"publish", "1.0.0.3", dir + "/MoLan_1.0.0.3.exe"}), 0);
  EXPECT_EQ(c.request(buildFrame("取推送版本号")),
            buildFrame("取推送版本号返回", {"客户端最新版本：1.0.0.3", "是否强制更新：否"}));
  std::filesystem::remove_all(dir);
}

TEST(ContentProtocol, NothingConfigured) {
  ServerProcess server;
  ASSERT_TRUE(server.running()) << server.log();
  TestClient c(server.port());
  EXPECT_EQ(c.request(buildFrame("取公告")), buildFrame("取公告返回", {"开始发送公告文件"}));
  EXPECT_EQ(c.request(buildFrame("取推送版本号")),
            buildFrame("取推送版本号返回", {"客户端最新版本：", "是否强制更新：否"}));
  EXPECT_EQ(c.request(buildFrame("取新版本客户端")), buildFrame("取新版本客户端返回", {"服务器网络繁忙"}));
}

}  // namespace
}  // namespace molan::server
