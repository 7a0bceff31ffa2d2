// The four recognition commands over real TCP: the client's own scanner reads
// the replies; accounting across the free allowances; the statuses.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "link/fields.h"

#include "link/frame.h"
#include "recognition/picture_payload.h"
#include "recognition/recognition_kind.h"
#include "recognition/reply_scan.h"
#include "server/sqlite_store.h"
#include "server/testing/pictures.h"
#include "server/testing/server_process.h"
#include "server/testing/test_client.h"
#include "server/testing/utf8.h"

namespace molan::server {
namespace {

using testing::ServerProcess;
using testing::TestClient;

const Bytes& smallPicture() {
  static const Bytes picture = testing::renderPicture(360, 60, 28, {{testing::utf8(u8"Hello 2024"), 10, 42}});
  return picture;
}

Bytes login(TestClient& c, BytesView account) {
  return c.request(buildFrame("登录", {account, "password1", "F4CCB51A9"})).value_or("");
}

int64_t balanceOf(const ServerProcess& server, const std::string& account) {
  std::string error;
  auto store = SqliteStore::open(server.dataDir() + "/molan.db", &error);
  return store ? store->lookup(account).account.balance : -1;
}

TEST(RecognitionProtocol, AllKindsScannedByTheClientAndCharged) {
  ASSERT_FALSE(smallPicture().empty());
  // One free recognition per account and day; the cost after it.
  ServerProcess server({"--personal-free", "1", "--public-free", "100"});
  ASSERT_TRUE(server.running()) << server.log();
  ASSERT_EQ(server.admin({"create-account", "ivan1234", "password1", "100"}), 0);
  TestClient c(server.port());
  ASSERT_TRUE(hasStatus(login(c, "ivan1234"), "登录返回", "账号密码正确"));

  int64_t expected = 100;
  bool first = true;
  std::set<Bytes> logIds;
  for (const auto& kind : kRecognitionKinds) {
    const auto reply = c.request(buildRecognitionRequest(kind.kind, encodePicturePayload(smallPicture())), 60000);
    ASSERT_TRUE(reply) << kind.word;
    const RecognitionReply scanned = scanRecognitionReply(kind.kind, *reply);
    ASSERT_EQ(scanned.status, ReplyStatus::Result) << *reply;
    const Bytes logId = kind.style == ReplyStyle::Compact ? BytesBetween(*reply, "\"log_id\":", ",")
                                                          : BytesBetween(*reply, "\"log_id\": ", ",");
    EXPECT_GT(logId.size(), 10u);
    logIds.insert(logId);
    const auto lines = resultLines(scanned);
    ASSERT_EQ(lines.size(), 1u) << *reply;
    EXPECT_EQ(lines[0], Bytes("       Hello 2024\r\n")) << kind.word;
    ASSERT_EQ(scanned.words.size(), 1u);
    if (kind.positions) {
      const WordEntry& w = scanned.words[0];
      EXPECT_GE(w.left, 5);
      EXPECT_LE(w.left, 20);
      EXPECT_GT(w.width, 120);
      EXPECT_LE(w.left + w.width, 360);
      EXPECT_GE(w.top, 10);
      EXPECT_LE(w.top + w.height, 55);
    }
    if (!first) expected -= kind.cost;
    first = false;
    EXPECT_EQ(balanceOf(server, "ivan1234"), expected) << kind.word;
  }
  // Every reply carried its own log_id, and the log has one line per request.
  EXPECT_EQ(logIds.size(), 4u);
  const std::string log = server.log();
  size_t lines = 0;
  for (size_t at = log.find(testing::utf8(u8"识别成功")); at != std::string::npos;
       at = log.find(testing::utf8(u8"识别成功"), at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 4u);
}

TEST(RecognitionProtocol, StatusesAndNoChargeOnFailure) {
  ServerProcess server({"--personal-free", "0", "--public-free", "0"});
  ASSERT_TRUE(server.running()) << server.log();
  ASSERT_EQ(server.admin({"create-account", "judy1234", "password1", "5"}), 0);
  TestClient c(server.port());
  const Bytes payload = encodePicturePayload(smallPicture());
  const auto standard = RecognitionKind::Standard;
  const auto prefix = ReplyPrefix("通用文字识别_标准返回");

  // Not logged in.
  auto reply = c.request(buildRecognitionRequest(standard, payload));
  EXPECT_EQ(reply, prefix + "服务器异常：请先登录<||||>");
  ASSERT_TRUE(hasStatus(login(c, "judy1234"), "登录返回", "账号密码正确"));

  struct Case {
    Bytes payload;
    Bytes status;
  } failures[] = {
      {"abc%zz", "服务器异常：图片数据的百分号编码无效"},
      {"YWJ%3d%3d", "服务器异常：图片数据的base64编码无效"},
      {"a/bc", "服务器异常：图片数据的百分号编码无效"},
      {encodePicturePayload("this is not a picture at all"), "服务器异常：无法识别的图片格式"},
      {encodePicturePayload(smallPicture().substr(0, 200)), "服务器异常：图片无法解码"},
  };
  for (const auto& f : failures) {
    EXPECT_EQ(c.request(buildRecognitionRequest(standard, f.payload)), prefix + f.status + "<||||>") << f.status;
  }
  EXPECT_EQ(balanceOf(server, "judy1234"), 5);  // failures cost nothing

  // 5 pays for one 标准 (2); the 3 left are short for 高精度含位置 (8).
  EXPECT_EQ(scanRecognitionReply(standard, c.request(buildRecognitionRequest(standard, payload), 60000).value_or(""))
                .status,
            ReplyStatus::Result);
  EXPECT_EQ(balanceOf(server, "judy1234"), 3);
  EXPECT_EQ(c.request(buildRecognitionRequest(RecognitionKind::AccurateWithPositions, payload)), 
            ReplyPrefix("通用文字识别_高精度含位置返回") + "余额不足<||||>");
  EXPECT_EQ(balanceOf(server, "judy1234"), 3);
}

TEST(RecognitionProtocol, PublicAllowanceIsShared) {
  ServerProcess server({"--personal-free", "5", "--public-free", "1"});
  ASSERT_TRUE(server.running()) << server.log();
  ASSERT_EQ(server.admin({"create-account", "kate1234", "password1", "0"}), 0);
  ASSERT_EQ(server.admin({"create-account", "leon1234", "password1", "0"}), 0);
  TestClient kate(server.port()), leon(server.port());
  ASSERT_TRUE(hasStatus(login(kate, "kate1234"), "登录返回", "账号密码正确"));
  ASSERT_TRUE(hasStatus(login(leon, "leon1234"), "登录返回", "账号密码正确"));
  const Bytes request = buildRecognitionRequest(RecognitionKind::Standard, encodePicturePayload(smallPicture()));
  EXPECT_EQ(scanRecognitionReply(RecognitionKind::Standard, kate.request(request, 60000).value_or("")).status,
            ReplyStatus::Result);
  EXPECT_EQ(leon.request(request), ReplyPrefix("通用文字识别_标准返回") + "余额不足<||||>");
}

TEST(RecognitionProtocol, OrderBusyAndGracefulStop) {
  const Bytes big = testing::renderPicture(1280, 720, 24,
                                           {{testing::utf8(u8"墨澜文字识别服务测试"), 40, 100},
                                            {testing::utf8(u8"The quick brown fox jumps over the lazy dog"), 40, 200},
                                            {testing::utf8(u8"第三行：中文与English混排"), 40, 300}});
  ServerProcess server({"--queue", "0", "--personal-free", "100"});
  ASSERT_TRUE(server.running()) << server.log();
  ASSERT_EQ(server.admin({"create-account", "mike1234", "password1"}), 0);
  ASSERT_EQ(server.admin({"create-account", "nina1234", "password1"}), 0);
  TestClient mike(server.port()), nina(server.port());
  ASSERT_TRUE(hasStatus(login(mike, "mike1234"), "登录返回", "账号密码正确"));
  ASSERT_TRUE(hasStatus(login(nina, "nina1234"), "登录返回", "账号密码正确"));

  // A slow recognition then a quick announcement: replies in request order.
  ASSERT_TRUE(mike.send(buildRecognitionRequest(RecognitionKind::Accurate, encodePicturePayload(big))));
  ASSERT_TRUE(mike.send(buildFrame("取公告")));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  // The only worker is busy and nothing may wait: busy.
  EXPECT_EQ(nina.request(buildRecognitionRequest(RecognitionKind::Standard, encodePicturePayload(big))),
            ReplyPrefix("通用文字识别_标准返回") + "服务器网络繁忙<||||>");
  // Stop while the recognition runs: it is still answered.
  std::thread stopper([&] { EXPECT_EQ(server.terminate(), 0); });
  const auto first = mike.receive(60000);
  ASSERT_TRUE(first);
  EXPECT_TRUE(beginsWith(*first, ReplyPrefix("通用文字识别_高精度返回")));
  const auto lines = resultLines(scanRecognitionReply(RecognitionKind::Accurate, *first));
  ASSERT_EQ(lines.size(), 3u) << *first;
  EXPECT_EQ(lines[1], Bytes("       The quick brown fox jumps over the lazy dog\r\n"));
  EXPECT_EQ(mike.receive(), buildFrame("取公告返回", {"开始发送公告文件"}));
  stopper.join();
}

}  // namespace
}  // namespace molan::server
