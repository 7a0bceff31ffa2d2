#include "netlib/pack_codec.h"

#include <algorithm>
#include <cstring>

namespace molan {
namespace {

constexpr uint32_t kLengthMask = 0x3FFFFF;
constexpr unsigned kFlagShift = 22;

}  // namespace

Bytes encodePackHeader(size_t length) {
  if (length == 0 || length > kPackLengthLimit) return {};
  const auto word = static_cast<uint32_t>(length);
  Bytes header(kPackHeaderSize, '\0');
  for (size_t i = 0; i < kPackHeaderSize; ++i) header[i] = static_cast<char>((word >> (8 * i)) & 0xFF);
  return header;
}

Bytes encodePack(BytesView body) {
  Bytes pack = encodePackHeader(body.size());
  if (pack.empty()) return pack;
  pack.append(body);
  return pack;
}

PackDecoder::PackDecoder(size_t maxPackSize)
    : maxPackSize_(std::clamp<size_t>(maxPackSize, 1, kPackLengthLimit)) {}

bool PackDecoder::acceptHeader() {
  uint32_t word = 0;
  for (size_t i = 0; i < kPackHeaderSize; ++i) word |= static_cast<uint32_t>(header_[i]) << (8 * i);
  headerFill_ = 0;
  const uint32_t length = word & kLengthMask;
  if ((word >> kFlagShift) != 0) {
    error_ = PackError::kFlagSet;
  } else if (length == 0) {
    error_ = PackError::kZeroLength;
  } else if (length > maxPackSize_) {
    error_ = PackError::kTooLong;
  } else {
    bodySize_ = length;
    body_.clear();
    // Memory follows the bytes that actually arrived: a peer that announces
    // 4 MiB and sends nothing more must not make us hold 4 MiB.
    body_.reserve(std::min<size_t>(bodySize_, 64 * 1024));
  }
  return !failed();
}

bool PackDecoder::feed(BytesView chunk) {
  while (!failed() && !chunk.empty()) {
    if (bodySize_ == 0) {
      const size_t take = std::min(kPackHeaderSize - headerFill_, chunk.size());
      std::memcpy(header_ + headerFill_, chunk.data(), take);
      headerFill_ += take;
      chunk.remove_prefix(take);
      if (headerFill_ == kPackHeaderSize) acceptHeader();
      continue;
    }
    const size_t take = std::min(bodySize_ - body_.size(), chunk.size());
    body_.append(chunk.substr(0, take));
    chunk.remove_prefix(take);
    if (body_.size() == bodySize_) {
      ready_.push_back(std::move(body_));
      body_ = Bytes();
      bodySize_ = 0;
    }
  }
  return !failed();
}

std::optional<Bytes> PackDecoder::next() {
  if (ready_.empty()) return std::nullopt;
  Bytes body = std::move(ready_.front());
  ready_.pop_front();
  return body;
}

}  // namespace molan
