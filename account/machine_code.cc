#include "account/machine_code.h"

#include <cctype>

namespace molan {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr size_t kProcessorIdPrefix = 18;  // two groups and the "-" after them
constexpr size_t kDigestSkip = 2;
constexpr size_t kAdapterPartLength = 9;

void appendHexByte(Bytes& out, uint8_t b) {
  out.push_back(kHexDigits[b >> 4]);
  out.push_back(kHexDigits[b & 0x0F]);
}

void appendHexWord(Bytes& out, uint32_t w) {
  for (int shift = 28; shift >= 0; shift -= 4) out.push_back(kHexDigits[(w >> shift) & 0x0F]);
}

Bytes withoutDashes(BytesView text) {
  Bytes out;
  for (const char c : text) {
    if (c != '-') out.push_back(c);
  }
  return out;
}

}  // namespace

Bytes processorIdText(uint32_t leaf1Edx, uint32_t leaf1Eax, uint32_t leaf3Edx, uint32_t leaf3Ecx) {
  Bytes out;
  const uint32_t words[] = {leaf1Edx, leaf1Eax, leaf3Edx, leaf3Ecx};
  for (size_t i = 0; i < 4; ++i) {
    if (i > 0) out.push_back('-');
    appendHexWord(out, words[i]);
  }
  return out;
}

Bytes processorPart(BytesView processorId) {
  Bytes out;
  for (const char c : withoutDashes(processorId.substr(0, kProcessorIdPrefix))) {
    appendHexByte(out, static_cast<uint8_t>(static_cast<uint8_t>(c) ^ 0x10));
  }
  return out;
}

Bytes adapterAddressText(std::span<const uint8_t> address) {
  Bytes out;
  for (size_t i = 0; i < address.size(); ++i) {
    if (i > 0) out.push_back('-');
    appendHexByte(out, address[i]);
  }
  return out;
}

Bytes adapterDigestInput(BytesView addressText) { return withoutDashes(addressText); }

Bytes adapterPartFromDigest(BytesView digestHex) {
  if (digestHex.size() < kDigestSkip + kAdapterPartLength) return {};
  Bytes out(digestHex.substr(kDigestSkip, kAdapterPartLength));
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

Bytes assembleMachineCode(BytesView processorId, BytesView digestHex) {
  return processorPart(processorId) + adapterPartFromDigest(digestHex);
}

}  // namespace molan
