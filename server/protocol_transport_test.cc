// Transport over real TCP: malformed packs and frames, reply order, many
// clients, graceful stop.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "link/frame.h"
#include "link/link_cipher.h"
#include "netlib/pack_codec.h"
#include "server/testing/server_process.h"
#include "server/testing/test_client.h"

namespace molan::server {
namespace {

using testing::ServerProcess;
using testing::TestClient;

const Bytes kNotice = buildFrame("取公告返回", {"开始发送公告文件"});
const Bytes kVersion = buildFrame("取推送版本号返回", {"客户端最新版本：", "是否强制更新：否"});

Bytes header(uint32_t word) {
  Bytes h(4, '\0');
  for (int i = 0; i < 4; ++i) h[static_cast<size_t>(i)] = static_cast<char>(word >> (8 * i));
  return h;
}

TEST(TransportProtocol, BadPacksCloseOnlyTheirConnection) {
  ServerProcess server;
  ASSERT_TRUE(server.running()) << server.log();
  TestClient bystander(server.port());
  struct Case {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"zero length", header(0)},
      {"a length above the maximum", header(0x400000) + "x"},
      {"flag bits set", header((1u << 22) | 5) + "abcde"},
  };
  for (const auto& c : cases) {
    TestClient bad(server.port());
    ASSERT_TRUE(bad.sendRaw(c.bytes)) << c.what;
    EXPECT_TRUE(bad.closedByServer()) << c.what;
    EXPECT_EQ(bystander.request(buildFrame("取公告")), kNotice) << c.what;
  }
}

TEST(TransportProtocol, UnknownFramesGetNoReply) {
  ServerProcess server;
  ASSERT_TRUE(server.running()) << server.log();
  TestClient c(server.port());
  const Bytes frames[] = {
      buildFrame("不存在的命令"),
      Bytes("青柯<||||>别的<||||>取公告<||||>"),
      Bytes("青柯<||||>墨澜<||||>取公告"),            // no closing separator
      buildFrame("登录", {"alice123", "secret99"}),   // a field missing
      buildFrame("取公告返回", {"开始发送公告文件"}),  // a reply, not a request
  };
  for (const auto& f : frames) ASSERT_TRUE(c.send(f));
  // The next known request is answered first and alone.
  EXPECT_EQ(c.request(buildFrame("取推送版本号")), kVersion);
  EXPECT_FALSE(c.receive(300));
}

TEST(TransportProtocol, PipelinedRepliesKeepRequestOrderAcrossManyClients) {
  ServerProcess server;
  ASSERT_TRUE(server.running()) << server.log();
  std::vector<std::thread> threads;
  std::atomic<int> good{0};
  for (int t = 0; t < 20; ++t) {
    threads.emplace_back([&] {
      TestClient c(server.port());
      // All requests go out in one write, several packs per TCP segment.
      Bytes burst;
      for (int i = 0; i < 10; ++i) {
        burst += encodePack(LinkCipher::apply(buildFrame(i % 2 ? "取推送版本号" : "取公告")));
      }
      if (!c.sendRaw(burst)) return;
      for (int i = 0; i < 10; ++i) {
        if (c.receive() != (i % 2 ? kVersion : kNotice)) return;
      }
      ++good;
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(good.load(), 20);
}

TEST(TransportProtocol, StuckClientDoesNotHoldUpOthers) {
  ServerProcess server;
  ASSERT_TRUE(server.running()) << server.log();
  // A client that sends a header and never the body, and one that never reads.
  TestClient half(server.port());
  ASSERT_TRUE(half.sendRaw(header(1000) + "partial"));
  TestClient deaf(server.port());
  Bytes burst;
  for (int i = 0; i < 2000; ++i) burst += encodePack(LinkCipher::apply(buildFrame("取公告")));
  ASSERT_TRUE(deaf.sendRaw(burst));
  TestClient c(server.port());
  EXPECT_EQ(c.request(buildFrame("取公告"), 5000), kNotice);
}

TEST(TransportProtocol, SigtermStopsGracefully) {
  ServerProcess server;
  ASSERT_TRUE(server.running()) << server.log();
  TestClient c(server.port());
  ASSERT_TRUE(c.send(buildFrame("取公告")));
  EXPECT_EQ(c.receive(), kNotice);
  const int port = server.port();
  EXPECT_EQ(server.terminate(), 0);
  EXPECT_NE(server.log().find("stopped"), std::string::npos);
  TestClient late(port);
  EXPECT_FALSE(late.connected() && late.request(buildFrame("取公告"), 500));
}

}  // namespace
}  // namespace molan::server
