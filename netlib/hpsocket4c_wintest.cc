// HPSocket4C.dll loaded by name, as the client loads it: exports, connect,
// send and stop, against a real Winsock peer on 127.0.0.1.
#include <gtest/gtest.h>

#include "netlib/hpsocket4c_testkit_win.h"
#include "netlib/pack_codec.h"

namespace molan::win::test {
namespace {

class HpSocket : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(api.load().empty()); }
  HpApi api;
  Events events;
};

TEST(HpSocketExports, EveryFunctionUnderItsUndecoratedName) {
  HpApi api;
  EXPECT_EQ(api.load(), std::vector<std::string>{});
}

TEST_F(HpSocket, ConnectReportsEventsAndAddresses) {
  TestPeer peer;
  ClientUnderTest client(api, events);
  ASSERT_TRUE(client.start(peer.port()));
  ASSERT_TRUE(peer.accept());
  ASSERT_TRUE(events.waitFor([&] { return events.handshakes == 1; }));
  EXPECT_EQ(events.prepares, 1);
  EXPECT_EQ(events.connects, 1);
  EXPECT_NE(events.handlerThread, GetCurrentThreadId());

  char text[64];
  int length = sizeof text;
  USHORT port = 0;
  ASSERT_TRUE(api.getRemoteHost(client.get(), text, &length, &port));
  EXPECT_STREQ(text, "127.0.0.1");
  EXPECT_EQ(length, 10);
  EXPECT_EQ(port, peer.port());
  length = sizeof text;
  ASSERT_TRUE(api.getLocalAddress(client.get(), text, &length, &port));
  EXPECT_STREQ(text, "127.0.0.1");
  EXPECT_NE(port, 0);
  length = 4;  // too small: refused, with the size it needs
  EXPECT_FALSE(api.getLocalAddress(client.get(), text, &length, &port));
  EXPECT_EQ(length, 10);
}

TEST_F(HpSocket, FailedStartsReturnFalseWithCodeAndText) {
  USHORT closedPort = 0;
  {
    TestPeer unused;  // a port that was free a moment ago and now has no listener
    closedPort = unused.port();
  }
  struct Case {
    const char* name;
    const char* host;
    USHORT port;
    En_HP_SocketError code;
  };
  const Case cases[] = {
      {"refused port", "127.0.0.1", closedPort, SE_CONNECT_SERVER},
      {"unresolvable host", "no-such-host.invalid", 80, SE_INVALID_PARAM},
      {"no port", "127.0.0.1", 0, SE_INVALID_PARAM},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClientUnderTest client(api, events);
    EXPECT_FALSE(client.start(c.port, c.host));
    EXPECT_EQ(api.getLastError(client.get()), c.code);
    EXPECT_GT(strlen(api.getLastErrorDesc(client.get())), 0u);
    EXPECT_FALSE(client.send("x"));
  }
  EXPECT_EQ(events.connects, 0);
  EXPECT_EQ(events.closes, 0);
}

TEST_F(HpSocket, SendRefusesEmptyOversizedAndUnconnected) {
  TestPeer peer;
  ClientUnderTest client(api, events);
  EXPECT_FALSE(client.send("before start"));
  api.setMaxPackSize(client.get(), 100);
  ASSERT_TRUE(client.start(peer.port()));
  ASSERT_TRUE(peer.accept());
  EXPECT_FALSE(client.send(""));
  EXPECT_FALSE(api.send(client.get(), nullptr, 5));
  EXPECT_FALSE(api.send(client.get(), reinterpret_cast<const BYTE*>("x"), -1));
  EXPECT_FALSE(client.send(Bytes(101, 'a')));
  EXPECT_TRUE(client.send(Bytes(100, 'b')));
  Bytes got;
  ASSERT_TRUE(peer.read(104, got));
  EXPECT_EQ(got, encodePack(Bytes(100, 'b')));  // the refused ones never went out
}

TEST_F(HpSocket, SendsQueuedPacksWholeAndInOrder) {
  TestPeer peer;
  ClientUnderTest client(api, events);
  ASSERT_TRUE(client.start(peer.port()));
  ASSERT_TRUE(peer.accept());
  std::vector<Bytes> bodies;
  Bytes expected;
  for (int i = 0; i < 200; ++i) {
    bodies.push_back(Bytes(static_cast<size_t>(1 + (i * 7919) % 70000), static_cast<char>('A' + i % 26)));
    expected += encodePack(bodies.back());
    ASSERT_TRUE(client.send(bodies.back()));  // returns at once; the worker writes
  }
  Bytes got;
  ASSERT_TRUE(peer.read(expected.size(), got));
  EXPECT_TRUE(got == expected);
  ASSERT_TRUE(events.waitFor([&] { return events.sent.size() == bodies.size(); }));
  EXPECT_TRUE(events.sent == bodies);
}

TEST_F(HpSocket, LargestPackBothWays) {
  TestPeer peer;
  ClientUnderTest client(api, events);
  ASSERT_TRUE(client.start(peer.port()));
  ASSERT_TRUE(peer.accept());
  Bytes body(kPackLengthLimit, '\0');
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>((i * 131) % 253);
  ASSERT_TRUE(client.send(body));
  EXPECT_FALSE(client.send(body + "!"));
  Bytes got;
  ASSERT_TRUE(peer.read(kPackHeaderSize + body.size(), got));
  EXPECT_TRUE(got == encodePack(body));
  ASSERT_TRUE(peer.write(got));
  ASSERT_TRUE(events.waitFor([&] { return events.received.size() == 1; }, 60));
  EXPECT_TRUE(events.received[0] == body);
}

TEST_F(HpSocket, StopClosesReportsOnceRefusesSendsAndCanRestart) {
  TestPeer peer;
  ClientUnderTest client(api, events);
  ASSERT_TRUE(client.start(peer.port()));
  ASSERT_TRUE(peer.accept());
  ASSERT_TRUE(api.stop(client.get()));
  EXPECT_EQ(events.closes, 1);
  EXPECT_EQ(events.closeOperation, SO_CLOSE);
  EXPECT_FALSE(client.send("after stop"));
  EXPECT_TRUE(peer.seesClose());
  EXPECT_FALSE(api.stop(client.get()));  // nothing left to stop

  ASSERT_TRUE(client.start(peer.port()));
  ASSERT_TRUE(peer.accept());
  EXPECT_TRUE(client.send("again"));
  Bytes got;
  ASSERT_TRUE(peer.read(9, got));
  EXPECT_EQ(got, encodePack("again"));
  EXPECT_FALSE(client.start(peer.port()));  // already started
  EXPECT_EQ(api.getLastError(client.get()), SE_ILLEGAL_STATE);
}

}  // namespace
}  // namespace molan::win::test
