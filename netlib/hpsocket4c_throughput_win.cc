// Measures HPSocket4C.dll's throughput over 127.0.0.1 (run under Wine):
// bulk packs each way and many small packs from the client. Prints MB/s and
// packs/s; not a test, nothing is asserted.
#include <cstdio>

#include "netlib/hpsocket4c_testkit_win.h"
#include "netlib/pack_codec.h"

using namespace molan;
using namespace molan::win::test;

namespace {

double seconds(LARGE_INTEGER from) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER startClock() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

void report(const char* what, size_t packs, size_t bodyBytes, double s) {
  std::printf("%-34s %6zu packs x %8zu B: %8.1f MB/s %10.0f packs/s\n", what, packs, bodyBytes,
              static_cast<double>(packs * bodyBytes) / s / 1e6, static_cast<double>(packs) / s);
}

bool clientToPeer(const HpApi& api, size_t packs, size_t bodyBytes) {
  Events events;
  TestPeer peer;
  ClientUnderTest client(api, events);
  if (!client.start(peer.port()) || !peer.accept()) return false;
  const Bytes body(bodyBytes, 'c');
  const LARGE_INTEGER t = startClock();
  for (size_t i = 0; i < packs; ++i)
    if (!client.send(body)) return false;
  Bytes got;
  for (size_t i = 0; i < packs; ++i)
    if (!peer.read(kPackHeaderSize + bodyBytes, got)) return false;
  report("client -> server (Send, queued)", packs, bodyBytes, seconds(t));
  return true;
}

bool peerToClient(const HpApi& api, size_t packs, size_t bodyBytes) {
  Events events;
  TestPeer peer;
  size_t count = 0;
  events.onReceive = [&](const Bytes&) { ++count; };
  ClientUnderTest client(api, events);
  if (!client.start(peer.port()) || !peer.accept()) return false;
  const Bytes pack = encodePack(Bytes(bodyBytes, 's'));
  const LARGE_INTEGER t = startClock();
  for (size_t i = 0; i < packs; ++i)
    if (!peer.write(pack)) return false;
  if (!events.waitFor([&] { return events.received.size() == packs; }, 120)) return false;
  report("server -> client (OnReceive)", packs, bodyBytes, seconds(t));
  return count == packs;
}

}  // namespace

int main() {
  HpApi api;
  if (!api.load().empty()) {
    std::fprintf(stderr, "cannot load HPSocket4C.dll beside this program\n");
    return 1;
  }
  const bool ok = clientToPeer(api, 64, 1 << 20) && clientToPeer(api, 20000, 100) &&
                  peerToClient(api, 64, 1 << 20) && peerToClient(api, 20000, 100) &&
                  peerToClient(api, 8, kPackLengthLimit);
  if (!ok) std::fprintf(stderr, "a run failed\n");
  return ok ? 0 : 1;
}
