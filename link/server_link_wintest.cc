// ServerLink over the real HPSocket4C.dll against a real Winsock peer. The
// link is process-wide and starts once, so one test walks its whole life.
#include "link/server_link_win.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

#include "link/build_settings.h"
#include "link/fields.h"
#include "link/frame.h"
#include "link/link_cipher.h"
#include "link/reply_dispatch.h"
#include "netlib/hpsocket4c_testkit_win.h"
#include "netlib/pack_codec.h"

namespace molan {

namespace {
Bytes gHostHexList;
Bytes gPortHexList;
}  // namespace

const BuildSettings& buildSettings() {
  static BuildSettings settings;
  settings = {gHostHexList, gPortHexList, 1};
  return settings;
}

namespace {

std::wstring besideExe(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  std::wstring p(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return p.substr(0, p.find_last_of(L"\\/") + 1) + name;
}

struct Handled {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Bytes> frames;
  DWORD thread = 0;
  bool waitFor(size_t n) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(20), [&] { return frames.size() >= n; });
  }
};

Bytes readPack(win::test::TestPeer& peer) {
  Bytes header, body;
  if (!peer.read(4, header)) return {};
  const uint32_t word = static_cast<uint32_t>(ReadInt32At(header));
  if (!peer.read(word & 0x3FFFFF, body)) return {};
  return body;
}

TEST(ServerLink, WholeLife) {
  EXPECT_EQ(ServerLink::state(), 0);
  EXPECT_FALSE(ServerLink::send(buildFrame("取公告")));  // before start

  Handled handled;
  for (const char* name : {"登录返回", "通用文字识别_标准返回"}) {
    replyDispatch().setHandler(name, [&handled](const Bytes& frame) {
      std::lock_guard lock(handled.mutex);
      handled.frames.push_back(frame);
      handled.thread = GetCurrentThreadId();
      handled.changed.notify_all();
    });
  }

  win::test::TestPeer peer;
  gHostHexList = encodeHexList("127.0.0.1");
  gPortHexList = encodeHexList(std::to_string(peer.port()));
  // A copy of the library, so the test can show the file is free after unload.
  const std::wstring dll = besideExe(L"HPSocket4C-linktest.dll");
  ASSERT_TRUE(CopyFileW(besideExe(L"HPSocket4C.dll").c_str(), dll.c_str(), FALSE));
  ASSERT_TRUE(ServerLink::load(dll));
  ServerLink::start();  // returns only when connected
  EXPECT_EQ(ServerLink::state(), 3);
  ASSERT_TRUE(peer.accept());

  // Out: enciphered, one pack per frame.
  const Bytes frame = buildFrame("登录", {"abc12345", "pw", "M"});
  ASSERT_TRUE(ServerLink::send(frame));
  EXPECT_EQ(LinkCipher::apply(readPack(peer)), frame);
  EXPECT_FALSE(ServerLink::send(Bytes(kMaxPackSize + 1, 'x')));  // above the pack limit
  const Bytes largest(kMaxPackSize, 'y');
  ASSERT_TRUE(ServerLink::send(largest));
  EXPECT_EQ(readPack(peer).size(), kMaxPackSize);

  // In: deciphered and dispatched on the library's thread; unknown prefixes dropped.
  const Bytes reply = "青柯<||||>墨澜<||||>登录返回<||||>密码错误<||||>";
  const Bytes unknown = "青柯<||||>墨澜<||||>未知返回<||||>x<||||>";
  const Bytes balance = "青柯<||||>墨澜<||||>通用文字识别_标准返回<||||>余额不足<||||>";
  ASSERT_TRUE(peer.write(encodePack(LinkCipher::apply(reply)) + encodePack(LinkCipher::apply(unknown)) +
                         encodePack(LinkCipher::apply(balance))));
  ASSERT_TRUE(handled.waitFor(2));
  {
    std::lock_guard lock(handled.mutex);
    EXPECT_EQ(handled.frames, (std::vector<Bytes>{reply, balance}));
    EXPECT_NE(handled.thread, GetCurrentThreadId());
  }

  // A bad pack header: the library closes the connection; the client stays up
  // and later sends are refused.
  ASSERT_TRUE(peer.write(win::test::headerBytes(0)));
  EXPECT_TRUE(peer.seesClose());
  bool refused = false;
  for (int i = 0; i < 200 && !refused; ++i) {
    refused = !ServerLink::send(buildFrame("取公告"));
    if (!refused) Sleep(10);
  }
  EXPECT_TRUE(refused);
  EXPECT_EQ(ServerLink::state(), 3);

  ServerLink::stop();
  EXPECT_FALSE(ServerLink::send(buildFrame("取公告")));  // after stop
  ServerLink::unload();
  EXPECT_TRUE(DeleteFileW(dll.c_str()));
}

}  // namespace
}  // namespace molan
