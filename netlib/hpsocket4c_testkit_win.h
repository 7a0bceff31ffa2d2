#pragma once
// Test kit for the HPSocket4C.dll tests: the DLL loaded by name as the client
// loads it, a recorder of the events its handlers see, and a real Winsock
// peer on 127.0.0.1 playing the server.
#include <winsock2.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/win_handles.h"
#include "link/bytes.h"
#include "netlib/hpsocket4c.h"
#include "netlib/hpsocket4c_api_win.h"
#include "netlib/socket_win.h"

namespace molan::win::test {

// Every export, bound with GetProcAddress from the DLL beside the test exe.
struct HpApi : HpSocketApi {
  UniqueHandle<HMODULE, ModuleTraits> module;

  // Loads the DLL and binds every function; the names of those missing.
  std::vector<std::string> load();
};

// What the handlers saw, shared with the test thread.
struct Events {
  std::mutex mutex;
  std::condition_variable changed;
  int prepares = 0, connects = 0, handshakes = 0, closes = 0;
  std::vector<Bytes> received;  // one entry per OnReceive call
  std::vector<Bytes> sent;      // one entry per OnSend call
  En_HP_SocketOperation closeOperation = SO_UNKNOWN;
  DWORD handlerThread = 0;  // thread of OnConnect/OnReceive/OnClose
  bool otherHandlerThread = false;
  std::function<void(const Bytes&)> onReceive;  // extra work inside OnReceive

  // Waits up to `seconds` for the condition (checked under the lock).
  bool waitFor(const std::function<bool()>& done, int seconds = 20);
};

// A client with every handler wired to one Events record (one at a time).
class ClientUnderTest {
 public:
  ClientUnderTest(const HpApi& api, Events& events);
  ~ClientUnderTest();
  ClientUnderTest(const ClientUnderTest&) = delete;
  ClientUnderTest& operator=(const ClientUnderTest&) = delete;
  HP_Client get() const { return client_; }
  BOOL start(USHORT port, const char* host = "127.0.0.1");
  BOOL send(BytesView body) const;

 private:
  const HpApi& api_;
  HP_TcpClientListener listener_ = nullptr;
  HP_Client client_ = nullptr;
};

// The server end: listens on 127.0.0.1 at a free port, accepts one client.
class TestPeer {
 public:
  TestPeer();
  USHORT port() const { return port_; }
  bool accept();
  bool write(BytesView bytes);
  // Reads exactly n bytes (false on close, error or a 20 s silence).
  bool read(size_t n, Bytes& out);
  // True once the client has closed its end (reads until end of stream).
  bool seesClose();
  void close() { conn_.reset(); }

 private:
  WinsockSession winsock_;
  UniqueSocket listen_, conn_;
  USHORT port_ = 0;
};

// A pack header word as 4 little-endian bytes (any flag and length).
Bytes headerBytes(uint32_t word);

}  // namespace molan::win::test
