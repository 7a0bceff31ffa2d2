#pragma once
// The checks behind the account statuses that the server decides itself.
#include "link/bytes.h"

namespace molan::server {

// Account names and passwords: 8 to 16 bytes, each an ASCII letter or digit.
bool isCredentialText(BytesView text);

// A machine code as the client computes it: upper-case hex digits, 41 of them
// (32 processor + 9 adapter), or 9 when the processor part could not be read,
// or 32 when the digest of the adapter part could not be computed.
bool isMachineCode(BytesView text);

// Security questions and answers hold at most this many bytes.
inline constexpr size_t kMaxSecurityTextBytes = 50;

// Fields of a registration request, as typed.
struct Registration {
  Bytes account, password, question, answer, machineCode;
};

// Every field satisfies its rule; false means the reply is "信息不匹配".
bool registrationFieldsValid(const Registration& r);

}  // namespace molan::server
