#pragma once
// The event loop's record of one client connection: its pack decoder, the
// replies it owes in request order and the bytes waiting to be written.
#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

#include "link/bytes.h"
#include "link/frame.h"
#include "netlib/pack_codec.h"

namespace molan::server {

// One request that has been read and not yet answered on the wire.
struct PendingReply {
  uint64_t seq = 0;
  bool done = false;
  Bytes command;  // GBK, for the log
  Bytes status;
  std::vector<Bytes> frames;
  std::chrono::steady_clock::time_point received;
};

struct Connection {
  Connection(uint64_t id_, int fd_) : id(id_), fd(fd_), decoder(kMaxPackSize) {}

  uint64_t id;
  int fd;
  PackDecoder decoder;
  std::deque<PendingReply> pending;  // front = oldest request
  uint64_t nextSeq = 0;
  Bytes out;           // packed cipher bytes not yet written
  size_t outSent = 0;  // bytes of `out` already written
  bool reading = true; // EPOLLIN wanted
  bool writing = false; // EPOLLOUT registered
  bool closing = false;

  size_t unsent() const { return out.size() - outSent; }
};

// A connection stops reading while it owes this many replies or has this
// much unsent output, so one client cannot pile up work or memory.
inline constexpr size_t kMaxPendingReplies = 16;
inline constexpr size_t kMaxUnsentBytes = 16 * 1024 * 1024;

}  // namespace molan::server
