#pragma once
// Winsock helpers of HPSocket4C.dll: owners for sockets and socket events,
// and the readable text of a Winsock error.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

#include "app/win_handles.h"

namespace molan::win {

struct SocketTraits {
  static SOCKET invalid() { return INVALID_SOCKET; }
  static void close(SOCKET s) { closesocket(s); }
};
struct WsaEventTraits {
  static WSAEVENT invalid() { return WSA_INVALID_EVENT; }
  static void close(WSAEVENT e) { WSACloseEvent(e); }
};
using UniqueSocket = UniqueHandle<SOCKET, SocketTraits>;
using UniqueWsaEvent = UniqueHandle<WSAEVENT, WsaEventTraits>;

// Keeps Winsock initialised while it lives (WSAStartup/WSACleanup pair).
class WinsockSession {
 public:
  WinsockSession();
  ~WinsockSession();
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

// "<what>: <system text> (error <code>)"; the system text falls back to
// "Winsock error" when the system has none for the code.
std::string describeSocketError(const char* what, int code);

// The "a.b.c.d" text of an IPv4 socket address (empty on failure).
std::string addressText(const sockaddr_in& address);

}  // namespace molan::win
