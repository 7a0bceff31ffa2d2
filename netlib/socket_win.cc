#include "netlib/socket_win.h"

namespace molan::win {

WinsockSession::WinsockSession() {
  WSADATA data;
  ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession() {
  if (ok_) WSACleanup();
}

std::string describeSocketError(const char* what, int code) {
  char text[512] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text,
                                 sizeof text, nullptr);
  std::string system(text, n);
  while (!system.empty() && (system.back() == '\n' || system.back() == '\r' || system.back() == ' ' ||
                             system.back() == '.'))
    system.pop_back();
  if (system.empty()) system = "Winsock error";
  return std::string(what) + ": " + system + " (error " + std::to_string(code) + ")";
}

std::string addressText(const sockaddr_in& address) {
  char text[INET_ADDRSTRLEN] = {};
  in_addr copy = address.sin_addr;
  if (!inet_ntop(AF_INET, &copy, text, sizeof text)) return {};
  return text;
}

}  // namespace molan::win
