// HPSocket4C.dll receiving: one whole body per OnReceive whatever the peer's
// write boundaries, bad headers and peer close ending the connection, and a
// stop that does not deadlock against a handler blocked in SendMessage.
#include <gtest/gtest.h>

#include <thread>

#include "netlib/hpsocket4c_testkit_win.h"
#include "netlib/pack_codec.h"

namespace molan::win::test {
namespace {

class HpSocketReceive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(api.load().empty());
    client = std::make_unique<ClientUnderTest>(api, events);
  }
  void connect() {
    ASSERT_TRUE(client->start(peer.port()));
    ASSERT_TRUE(peer.accept());
  }
  HpApi api;
  Events events;
  TestPeer peer;
  std::unique_ptr<ClientUnderTest> client;
};

// Writes the stream in pieces of the given sizes (cycling), pausing between
// them so that the client sees separate reads.
bool writeInPieces(TestPeer& peer, BytesView stream, const std::vector<size_t>& sizes) {
  for (size_t i = 0; !stream.empty(); ++i) {
    const size_t n = std::min(sizes[i % sizes.size()], stream.size());
    if (!peer.write(stream.substr(0, n))) return false;
    stream.remove_prefix(n);
    Sleep(2);
  }
  return true;
}

TEST_F(HpSocketReceive, OneWholeBodyPerCallWhateverTheWriteBoundaries) {
  connect();
  const std::vector<Bytes> bodies = {"a", "hello", Bytes("\0\x01\xFF", 3), Bytes(600, 'q'), "end"};
  Bytes stream;
  for (const auto& b : bodies) stream += encodePack(b);
  struct Case {
    const char* name;
    std::vector<size_t> pieces;
  };
  const std::vector<Case> cases = {
      {"every pack in one write", {stream.size()}},
      {"odd boundaries", {1, 3, 5, 7, 11}},
      {"header bytes one by one", {1}},
      {"big then tiny", {401, 2}},
  };
  for (size_t k = 0; k < cases.size(); ++k) {
    SCOPED_TRACE(cases[k].name);
    ASSERT_TRUE(writeInPieces(peer, stream, cases[k].pieces));
    const size_t want = bodies.size() * (k + 1);
    ASSERT_TRUE(events.waitFor([&] { return events.received.size() >= want; }));
    const std::vector<Bytes> lastRound(events.received.end() - static_cast<long>(bodies.size()),
                                       events.received.end());
    EXPECT_EQ(lastRound, bodies);
  }
  EXPECT_FALSE(events.otherHandlerThread);
  EXPECT_EQ(events.closes, 0);
}

TEST_F(HpSocketReceive, BadHeaderClosesTheConnectionAfterEarlierBodies) {
  struct Case {
    const char* name;
    DWORD maxPackSize;
    uint32_t header;
  };
  const Case cases[] = {
      {"length 0", 0x3FFFFF, 0},
      {"length 0x3FFFFF + 1", 0x3FFFFF, 0x400000},
      {"above the configured maximum", 100, 101},
      {"flag bits set", 0x3FFFFF, (3u << 22) | 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Events local;
    TestPeer localPeer;
    ClientUnderTest localClient(api, local);
    api.setMaxPackSize(localClient.get(), c.maxPackSize);
    ASSERT_TRUE(localClient.start(localPeer.port()));
    ASSERT_TRUE(localPeer.accept());
    ASSERT_TRUE(localPeer.write(encodePack("good") + headerBytes(c.header) + "tail!!!"));
    EXPECT_TRUE(localPeer.seesClose());  // the library closed its end
    ASSERT_TRUE(local.waitFor([&] { return local.closes == 1; }));
    EXPECT_EQ(local.received, std::vector<Bytes>{"good"});
    EXPECT_EQ(local.closeOperation, SO_RECEIVE);
    EXPECT_FALSE(localClient.send("after close"));
  }
}

TEST_F(HpSocketReceive, PeerCloseIsReportedOnceAndLaterSendsFail) {
  connect();
  ASSERT_TRUE(peer.write(encodePack("last words")));
  peer.close();
  ASSERT_TRUE(events.waitFor([&] { return events.closes == 1; }));
  EXPECT_EQ(events.received, std::vector<Bytes>{"last words"});
  EXPECT_FALSE(client->send("anyone there?"));
  EXPECT_TRUE(api.stop(client->get()));  // joins the ended worker
  EXPECT_EQ(events.closes, 1);
}

// A handler blocked in SendMessage to a window of the stopping thread: Stop
// must let that message through while it waits for the worker to end.
LRESULT CALLBACK countingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) {
    ++*reinterpret_cast<int*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(HpSocketReceive, StopPumpsMessagesSentByABlockedHandler) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = countingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"HpSocketStopTest";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(L"HpSocketStopTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  int handled = 0;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));
  UniqueKernelHandle entered(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  events.onReceive = [&](const Bytes&) {
    SetEvent(entered.get());
    SendMessageW(window, WM_APP, 0, 0);  // blocks until the window thread pumps
  };
  connect();
  ASSERT_TRUE(peer.write(encodePack("ping")));
  ASSERT_EQ(WaitForSingleObject(entered.get(), 20000), WAIT_OBJECT_0);  // no pumping here on purpose
  EXPECT_TRUE(api.stop(client->get()));
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(events.received, std::vector<Bytes>{"ping"});
  EXPECT_EQ(events.closes, 1);
  DestroyWindow(window);
}

TEST_F(HpSocketReceive, StopFromInsideAHandlerEndsTheConnectionWithoutDeadlock) {
  BOOL stopResult = FALSE;
  events.onReceive = [&](const Bytes&) { stopResult = api.stop(client->get()); };
  connect();
  ASSERT_TRUE(peer.write(encodePack("first") + encodePack("never delivered")));
  ASSERT_TRUE(events.waitFor([&] { return events.closes == 1; }));
  EXPECT_TRUE(stopResult);
  EXPECT_EQ(events.received, std::vector<Bytes>{"first"});
  EXPECT_EQ(events.closeOperation, SO_CLOSE);
  EXPECT_TRUE(peer.seesClose());
  EXPECT_FALSE(client->send("after"));
}

}  // namespace
}  // namespace molan::win::test
