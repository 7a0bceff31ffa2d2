#pragma once
// Pack framing of the network link. Every pack on the wire is a 4-byte
// little-endian header, (flag << 22) | body length, followed by the body.
// We always send flag 0 and bodies of 1..maxPackSize bytes; maxPackSize is at
// most 0x3FFFFF, the largest length the 22-bit field holds.
//
// Shared by HPSocket4C.dll, molan-server and the test tools: portable code.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "link/bytes.h"

namespace molan {

inline constexpr size_t kPackHeaderSize = 4;
// Largest body length the header can carry (and the largest maxPackSize).
inline constexpr size_t kPackLengthLimit = 0x3FFFFF;

// The 4 header bytes announcing a body of `length` bytes with flag 0.
// `length` must be 1..kPackLengthLimit; otherwise the result is empty.
Bytes encodePackHeader(size_t length);

// Header then body: one whole pack. Empty when the body is empty or longer
// than kPackLengthLimit (callers refuse such a send).
Bytes encodePack(BytesView body);

// Why a decoder stopped.
enum class PackError {
  kNone,
  kZeroLength,  // a header announced an empty body
  kTooLong,     // a header announced more than maxPackSize bytes
  kFlagSet,     // a header had non-zero flag bits
};

// Incremental decoder: feed the received bytes in chunks of any size, take the
// whole bodies out one by one, in order. A bad header puts the decoder into a
// lasting failed state: the stream cannot be resynchronised, so the connection
// must be closed. Bodies completed before the bad header stay available.
//
// A header with flag bits set is a protocol error: our peers always send
// flag 0, and the flag bits share the header word with the length, so a
// non-zero flag most often means the stream is out of step (or someone sent a
// length above 0x3FFFFF) and anything read from it afterwards is garbage.
class PackDecoder {
 public:
  // maxPackSize is clamped to 1..kPackLengthLimit.
  explicit PackDecoder(size_t maxPackSize = kPackLengthLimit);

  // Consumes a chunk. Returns false once the decoder has failed (then the
  // chunk, and everything after it, is ignored).
  bool feed(BytesView chunk);
  // The next whole body, or nothing when none is complete yet.
  std::optional<Bytes> next();

  bool failed() const { return error_ != PackError::kNone; }
  PackError error() const { return error_; }
  size_t maxPackSize() const { return maxPackSize_; }

 private:
  bool acceptHeader();

  size_t maxPackSize_;
  PackError error_ = PackError::kNone;
  unsigned char header_[kPackHeaderSize] = {};
  size_t headerFill_ = 0;
  Bytes body_;          // the body being assembled; capacity is its full size
  size_t bodySize_ = 0; // 0 while a header is being read
  std::deque<Bytes> ready_;
};

}  // namespace molan
