#include "netlib/hpsocket4c_testkit_win.h"

#include <ws2tcpip.h>

namespace molan::win::test {
namespace {

Events* gEvents = nullptr;  // the record of the one client under test


void noteThread(Events& e) {
  const DWORD self = GetCurrentThreadId();
  if (e.handlerThread == 0) e.handlerThread = self;
  if (e.handlerThread != self) e.otherHandlerThread = true;
}

En_HP_HandleResult __stdcall onPrepareConnect(HP_Client, HP_CONNID, UINT_PTR) {
  std::lock_guard lock(gEvents->mutex);
  ++gEvents->prepares;
  gEvents->changed.notify_all();
  return HR_OK;
}
En_HP_HandleResult __stdcall onConnect(HP_Client, HP_CONNID) {
  std::lock_guard lock(gEvents->mutex);
  noteThread(*gEvents);
  ++gEvents->connects;
  gEvents->changed.notify_all();
  return HR_OK;
}
En_HP_HandleResult __stdcall onHandShake(HP_Client, HP_CONNID) {
  std::lock_guard lock(gEvents->mutex);
  ++gEvents->handshakes;
  gEvents->changed.notify_all();
  return HR_OK;
}
En_HP_HandleResult __stdcall onSend(HP_Client, HP_CONNID, const BYTE* data, int length) {
  std::lock_guard lock(gEvents->mutex);
  gEvents->sent.emplace_back(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
  gEvents->changed.notify_all();
  return HR_OK;
}
En_HP_HandleResult __stdcall onReceive(HP_Client, HP_CONNID, const BYTE* data, int length) {
  Bytes body(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
  if (gEvents->onReceive) gEvents->onReceive(body);
  std::lock_guard lock(gEvents->mutex);
  noteThread(*gEvents);
  gEvents->received.push_back(std::move(body));
  gEvents->changed.notify_all();
  return HR_OK;
}
En_HP_HandleResult __stdcall onClose(HP_Client, HP_CONNID, En_HP_SocketOperation operation, int) {
  std::lock_guard lock(gEvents->mutex);
  noteThread(*gEvents);
  ++gEvents->closes;
  gEvents->closeOperation = operation;
  gEvents->changed.notify_all();
  return HR_OK;
}

}  // namespace

std::vector<std::string> HpApi::load() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dll(path, n);
  dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"HPSocket4C.dll";
  module.reset(LoadLibraryW(dll.c_str()));
  if (!module) return {"HPSocket4C.dll"};
  return bindHpSocketApi(module.get(), *this);
}

bool Events::waitFor(const std::function<bool()>& done, int seconds) {
  std::unique_lock lock(mutex);
  return changed.wait_for(lock, std::chrono::seconds(seconds), done);
}

ClientUnderTest::ClientUnderTest(const HpApi& api, Events& events) : api_(api) {
  gEvents = &events;
  listener_ = api.createListener();
  client_ = api.createClient(listener_);
  api.setMaxPackSize(client_, 0x3FFFFF);
  api.setSocketBufferSize(client_, 0x400000);
  api.setOnPrepareConnect(listener_, onPrepareConnect);
  api.setOnConnect(listener_, onConnect);
  api.setOnHandShake(listener_, onHandShake);
  api.setOnSend(listener_, onSend);
  api.setOnReceive(listener_, onReceive);
  api.setOnClose(listener_, onClose);
}

ClientUnderTest::~ClientUnderTest() {
  api_.destroyClient(client_);
  api_.destroyListener(listener_);
  gEvents = nullptr;
}

BOOL ClientUnderTest::start(USHORT port, const char* host) {
  return api_.start(client_, host, port, FALSE, "0.0.0.0", 0);
}

BOOL ClientUnderTest::send(BytesView body) const {
  return api_.send(client_, reinterpret_cast<const BYTE*>(body.data()), static_cast<int>(body.size()));
}

TestPeer::TestPeer() {
  listen_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listen_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listen_.get(), 4);
  int size = sizeof address;
  getsockname(listen_.get(), reinterpret_cast<sockaddr*>(&address), &size);
  port_ = ntohs(address.sin_port);
}

bool TestPeer::accept() {
  conn_.reset(::accept(listen_.get(), nullptr, nullptr));
  if (!conn_) return false;
  const DWORD timeoutMs = 20000;
  setsockopt(conn_.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
  const BOOL noDelay = TRUE;
  setsockopt(conn_.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
  return true;
}

bool TestPeer::write(BytesView bytes) {
  while (!bytes.empty()) {
    const int n = ::send(conn_.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool TestPeer::read(size_t n, Bytes& out) {
  out.assign(n, '\0');
  for (size_t got = 0; got < n;) {
    const int r = recv(conn_.get(), out.data() + got, static_cast<int>(n - got), 0);
    if (r <= 0) return false;
    got += static_cast<size_t>(r);
  }
  return true;
}

bool TestPeer::seesClose() {
  char buffer[4096];
  for (;;) {
    const int r = recv(conn_.get(), buffer, sizeof buffer, 0);
    if (r == 0) return true;
    if (r < 0) return WSAGetLastError() == WSAECONNRESET;
  }
}

Bytes headerBytes(uint32_t word) {
  Bytes h(4, '\0');
  for (int i = 0; i < 4; ++i) h[static_cast<size_t>(i)] = static_cast<char>((word >> (8 * i)) & 0xFF);
  return h;
}

}  // namespace molan::win::test
