#include "server/testing/test_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "link/link_cipher.h"

namespace molan::server::testing {

TestClient::TestClient(int port) {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

TestClient::~TestClient() {
  if (fd_ >= 0) ::close(fd_);
}

bool TestClient::sendRaw(BytesView bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool TestClient::send(BytesView frame) { return sendRaw(encodePack(LinkCipher::apply(frame))); }

std::optional<Bytes> TestClient::receive(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (auto body = decoder_.next()) return LinkCipher::apply(*body);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char buf[65536];
    const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    if (n <= 0) return std::nullopt;
    if (!decoder_.feed(BytesView(buf, static_cast<size_t>(n)))) return std::nullopt;
  }
}

std::optional<Bytes> TestClient::request(BytesView frame, int timeoutMs) {
  if (!send(frame)) return std::nullopt;
  return receive(timeoutMs);
}

bool TestClient::closedByServer(int timeoutMs) {
  pollfd p{fd_, POLLIN, 0};
  if (poll(&p, 1, timeoutMs) <= 0) return false;
  char buf[256];
  return ::recv(fd_, buf, sizeof buf, 0) <= 0;
}

}  // namespace molan::server::testing
