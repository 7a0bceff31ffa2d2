#pragma once
// The Win32 inputs of MachineCode: the processor identifier from CPUID, the
// first network adapter's hardware address and the MD5 digest through the
// CryptoAPI. None of them ever shows a message.
#include "link/bytes.h"

namespace molan::account {

// RFC 1321 digest as 32 upper-case hex digits; empty when no provider, hash
// object or value can be had.
Bytes md5Hex(BytesView bytes);

// "XXXXXXXX-XXXXXXXX-XXXXXXXX-XXXXXXXX" from CPUID leaf 1 EDX, EAX and leaf 3
// EDX, ECX; empty when the processor has no identification leaf 1.
Bytes processorIdentifier();

// The hardware address of the first adapter GetAdaptersInfo lists, as
// "00-1A-2B-3C-4D-5E"; "A5-8D-23-FA-39-D0" when it lists none.
Bytes firstAdapterAddress();

// The fingerprint sent with login and registration, computed afresh.
Bytes computeMachineCode();

}  // namespace molan::account
