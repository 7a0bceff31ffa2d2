#pragma once
// A client for protocol tests: a blocking TCP socket on 127.0.0.1 speaking
// pack mode with LinkCipher, as the real client does.
#include <optional>

#include "link/bytes.h"
#include "netlib/pack_codec.h"

namespace molan::server::testing {

class TestClient {
 public:
  explicit TestClient(int port);
  ~TestClient();
  TestClient(const TestClient&) = delete;
  TestClient& operator=(const TestClient&) = delete;

  bool connected() const { return fd_ >= 0; }
  // Enciphers and packs one plain frame.
  bool send(BytesView frame);
  // Sends bytes exactly as given (for malformed packs).
  bool sendRaw(BytesView bytes);
  // The next reply, deciphered; nothing after `timeoutMs` or when the server closed.
  std::optional<Bytes> receive(int timeoutMs = 20000);
  // send() then receive().
  std::optional<Bytes> request(BytesView frame, int timeoutMs = 20000);
  // True when the server closes the connection within `timeoutMs`.
  bool closedByServer(int timeoutMs = 5000);

 private:
  int fd_ = -1;
  PackDecoder decoder_;
};

}  // namespace molan::server::testing
