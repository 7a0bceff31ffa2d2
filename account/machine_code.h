#pragma once
// MachineCode: the device fingerprint sent with login and registration.
// 32 upper-case hex digits from the processor identifier followed by 9 from
// the MD5 of the first network adapter's hardware address. This is the
// portable text assembly; the Win32 layer reads CPUID and the adapter list and
// computes the digest (machine_code_win.h).
#include <cstdint>
#include <span>

#include "link/bytes.h"

namespace molan {

// The address standing in when the platform lists no network adapter.
inline constexpr BytesView kFallbackAdapterAddress = "A5-8D-23-FA-39-D0";

// Four groups of eight upper-case hex digits joined by "-": CPUID leaf 1 EDX,
// leaf 1 EAX, leaf 3 EDX, leaf 3 ECX.
Bytes processorIdText(uint32_t leaf1Edx, uint32_t leaf1Eax, uint32_t leaf3Edx, uint32_t leaf3Ecx);

// The first 18 characters of the identifier without "-", each byte XOR 0x10
// as two upper-case hex digits: 32 digits, or empty for an empty identifier.
Bytes processorPart(BytesView processorId);

// A hardware address as six upper-case hex pairs joined by "-". Addresses of
// any other length are written the same way, pair by pair.
Bytes adapterAddressText(std::span<const uint8_t> address);

// The bytes whose digest forms the adapter part: the address text without "-".
Bytes adapterDigestInput(BytesView addressText);

// Digits 3 to 11 (counting from 1) of a hex digest, upper-cased; empty when
// the digest is empty or too short.
Bytes adapterPartFromDigest(BytesView digestHex);

// The whole code: processor part followed by adapter part.
Bytes assembleMachineCode(BytesView processorId, BytesView digestHex);

}  // namespace molan
