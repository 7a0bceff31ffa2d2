// molan-script-server as a real process on a free port, talked to over real
// TCP on 127.0.0.1 with the pack codec and LinkCipher.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "link/frame.h"
#include "link/link_cipher.h"
#include "netlib/pack_codec.h"
#include "tools/script_server/connection.h"

namespace molan::script {
namespace {

namespace fs = std::filesystem;

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

Bytes readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// Polls `done` every 10 ms for up to 10 s.
bool eventually(const std::function<bool()>& done) {
  for (int i = 0; i < 1000; ++i) {
    if (done()) return true;
    usleep(10000);
  }
  return done();
}

class ScriptServerProcess {
 public:
  explicit ScriptServerProcess(const std::string& scenarioText) {
    char pattern[] = "/tmp/script-server-test-XXXXXX";
    dir_ = mkdtemp(pattern);
    std::ofstream(dir_ / "scenario.txt", std::ios::binary) << scenarioText;
    fs::create_directory(dir_ / "push");
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      execl(MOLAN_SCRIPT_SERVER, MOLAN_SCRIPT_SERVER, "--port", "0", "--scenario", (dir_ / "scenario.txt").c_str(),
            "--record", (dir_ / "record").c_str(), "--push-dir", (dir_ / "push").c_str(), nullptr);
      _exit(127);
    }
    close(out[1]);
    pollfd p{out[0], POLLIN, 0};
    char line[64] = {};
    if (poll(&p, 1, 10000) == 1 && read(out[0], line, sizeof line - 1) > 0) sscanf(line, "listening %hu", &port_);
    close(out[0]);
  }
  ~ScriptServerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
    fs::remove_all(dir_);
  }
  uint16_t port() const { return port_; }
  fs::path record() const { return dir_ / "record"; }
  fs::path push() const { return dir_ / "push"; }
  std::vector<std::string> events() const {
    std::istringstream in(readAll(record() / "events.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  fs::path dir_;
  pid_t pid_ = -1;
  uint16_t port_ = 0;
};

class TestClient {
 public:
  explicit TestClient(uint16_t port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }
  ~TestClient() { close(fd_); }
  bool connected() const { return connected_; }
  bool sendRaw(BytesView bytes) { return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size()); }
  bool sendFrame(BytesView plain) { return sendRaw(encodePack(LinkCipher::apply(plain))); }
  // The next frame, deciphered; nothing on timeout or close.
  std::optional<Bytes> frame(int timeoutMs = 10000) {
    while (true) {
      if (auto body = decoder_.next()) return LinkCipher::apply(*body);
      Bytes chunk = readSome(timeoutMs);
      if (chunk.empty()) return std::nullopt;
      decoder_.feed(chunk);
    }
  }
  // Exactly n raw bytes (fewer on timeout or close).
  Bytes raw(size_t n, int timeoutMs = 10000) {
    Bytes got;
    while (got.size() < n) {
      Bytes chunk = readSome(timeoutMs);
      if (chunk.empty()) break;
      got += chunk;
    }
    return got;
  }
  // True when the server closes the connection within the time.
  bool closedByServer(int timeoutMs = 10000) {
    pollfd p{fd_, POLLIN, 0};
    char c;
    return poll(&p, 1, timeoutMs) == 1 && recv(fd_, &c, 1, 0) <= 0;
  }

 private:
  Bytes readSome(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) != 1) return {};
    char buffer[65536];
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    return n > 0 ? Bytes(buffer, static_cast<size_t>(n)) : Bytes();
  }
  int fd_ = -1;
  bool connected_ = false;
  PackDecoder decoder_;
};

const std::string kScenario = utf8(
    u8"on-connect\n"
    u8"reply 青柯<||||>墨澜<||||>取推送版本号返回<||||>1.0.0.1<||||>\n"
    u8"on-connect\n"
    u8"rule 登录\n"
    u8"reply 青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>\n"
    u8"rule 登录\n"
    u8"reply 青柯<||||>墨澜<||||>登录返回<||||>登录成功<||||>\\x01\\x00<||||>\n"
    u8"rule 取公告\n"
    u8"delay 400\n"
    u8"reply 青柯<||||>墨澜<||||>取公告返回<||||>开始发送公告文件<||||>\n"
    u8"rule 反馈留言\n"
    u8"rule 注册账号\n"
    u8"reply 青柯<||||>墨澜<||||>注册账号返回<||||>服务器网络繁忙<||||>\n"
    u8"close\n"
    u8"rule 安全验证\n"
    u8"raw-hex 0a0b\n"
    u8"zero-header\n"
    u8"garbage 3\n"
    u8"bad-header\n");

const Bytes kPushed = "青柯<||||>墨澜<||||>取推送版本号返回<||||>1.0.0.1<||||>";

TEST(ScriptServer, RepliesInTurnPushesOnConnectAndRecords) {
  ScriptServerProcess server(kScenario);
  ASSERT_NE(server.port(), 0);
  TestClient first(server.port());
  ASSERT_TRUE(first.connected());
  EXPECT_EQ(first.frame(), kPushed);  // the first connection runs the first on-connect rule
  const Bytes login = buildFrame("登录", {"user", "pw"});
  const Bytes success = "青柯<||||>墨澜<||||>登录返回<||||>登录成功<||||>" + Bytes("\x01\x00", 2) + "<||||>";
  const Bytes expected[] = {"青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>", success, success};
  for (const auto& reply : expected) {
    ASSERT_TRUE(first.sendFrame(login));
    EXPECT_EQ(first.frame(), reply);
  }
  TestClient second(server.port());
  ASSERT_TRUE(first.sendFrame(buildFrame("反馈留言", {"hi"})));  // a rule with no action
  ASSERT_TRUE(second.sendFrame(login));                           // its own turn count
  EXPECT_EQ(second.frame(), expected[0]);                          // and no on-connect reply
  ASSERT_TRUE(first.sendFrame(buildFrame("未知命令")));           // no rule at all
  ASSERT_TRUE(first.sendFrame(login));
  EXPECT_EQ(first.frame(), expected[2]);  // nothing came for the two unanswered requests

  ASSERT_TRUE(eventually([&] { return server.events().size() >= 9; }));
  EXPECT_EQ(server.events(), (std::vector<std::string>{"connect 1", "frame 0001 1", "frame 0002 1", "frame 0003 1",
                                                       "connect 2", "frame 0004 1", "frame 0005 2", "frame 0006 1",
                                                       "frame 0007 1"}));
  EXPECT_EQ(readAll(server.record() / "0001.frame"), login);
  EXPECT_EQ(readAll(server.record() / "0004.frame"), buildFrame("反馈留言", {"hi"}));
  EXPECT_EQ(readAll(server.record() / "0006.frame"), buildFrame("未知命令"));
  EXPECT_FALSE(fs::exists(server.record() / "0008.frame"));
}

TEST(ScriptServer, DelayHoldsOnlyItsOwnConnection) {
  ScriptServerProcess server(kScenario);
  TestClient slow(server.port()), fast(server.port());
  ASSERT_TRUE(slow.frame());  // on-connect push
  const Millis sent = monotonicMillis();
  ASSERT_TRUE(slow.sendFrame(buildFrame("取公告")));
  ASSERT_TRUE(eventually([&] { return server.events().size() >= 3; }));  // the request was read
  ASSERT_TRUE(fast.sendFrame(buildFrame("登录")));
  EXPECT_EQ(fast.frame(), Bytes("青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>"));
  EXPECT_EQ(slow.frame(0), std::nullopt);  // still waiting when the other one got its reply
  EXPECT_EQ(slow.frame(), Bytes("青柯<||||>墨澜<||||>取公告返回<||||>开始发送公告文件<||||>"));
  EXPECT_GE(monotonicMillis() - sent, 400);
}

TEST(ScriptServer, CloseActionClosesAfterTheReplyAndIsLogged) {
  ScriptServerProcess server(kScenario);
  TestClient client(server.port());
  ASSERT_TRUE(client.frame());
  ASSERT_TRUE(client.sendFrame(buildFrame("注册账号")));
  EXPECT_EQ(client.frame(), Bytes("青柯<||||>墨澜<||||>注册账号返回<||||>服务器网络繁忙<||||>"));
  EXPECT_TRUE(client.closedByServer());
  ASSERT_TRUE(eventually([&] { return server.events().size() == 3; }));
  EXPECT_EQ(server.events().back(), "close 1");
}

TEST(ScriptServer, RawActionsGoOutUnframed) {
  ScriptServerProcess server(kScenario);
  TestClient client(server.port());
  ASSERT_TRUE(client.frame());
  ASSERT_TRUE(client.sendFrame(buildFrame("安全验证")));
  const Bytes got = client.raw(2 + 4 + 3 + 4);
  ASSERT_EQ(got.size(), 13u);
  EXPECT_EQ(got.substr(0, 6), Bytes("\x0a\x0b\x00\x00\x00\x00", 6));
  EXPECT_EQ(got.substr(9), Bytes("\x00\x00\x40\x00", 4));
}

TEST(ScriptServer, PushFilesReachEveryConnectionAndAreDeleted) {
  ScriptServerProcess server(utf8(u8"rule 登录\n"));
  const Bytes pushed = "青柯<||||>墨澜<||||>取公告返回<||||>开始发送公告文件<||||>";
  std::ofstream(server.push() / "early.tmp", std::ios::binary) << pushed;
  fs::rename(server.push() / "early.tmp", server.push() / "1.frame");  // waits for a client
  usleep(150000);
  ASSERT_TRUE(fs::exists(server.push() / "1.frame"));
  TestClient a(server.port()), b(server.port());
  ASSERT_TRUE(eventually([&] { return server.events().size() == 2; }));
  EXPECT_EQ(a.frame(), pushed);
  EXPECT_EQ(b.frame(), pushed);
  EXPECT_TRUE(eventually([&] { return !fs::exists(server.push() / "1.frame"); }));
  std::ofstream(server.push() / "ignored.txt") << "not a frame";
  usleep(150000);
  EXPECT_TRUE(fs::exists(server.push() / "ignored.txt"));
}

TEST(ScriptServer, BadPackHeaderFromTheClientClosesThatConnection) {
  struct Case {
    const char* name;
    Bytes header;
  };
  const Case cases[] = {{"length 0", Bytes(4, '\0')}, {"length 0x3FFFFF + 1", Bytes("\x00\x00\x40\x00", 4)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptServerProcess server(kScenario);
    TestClient client(server.port());
    ASSERT_TRUE(client.frame());
    ASSERT_TRUE(client.sendRaw(encodePack(LinkCipher::apply("ok")) + c.header));
    EXPECT_TRUE(client.closedByServer());
    ASSERT_TRUE(eventually([&] { return server.events().size() == 4; }));
    EXPECT_EQ(server.events(), (std::vector<std::string>{"connect 1", "frame 0001 1", "bad-pack 1", "close 1"}));
    TestClient next(server.port());  // the server goes on serving
    ASSERT_TRUE(next.sendFrame(buildFrame("登录")));
    EXPECT_EQ(next.frame(), Bytes("青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>"));
  }
}

}  // namespace
}  // namespace molan::script
