#pragma once
// Passwords and security answers are kept only as libsodium argon2id strings.
// Hashing is deliberately slow and memory-hungry; callers run it on a worker
// thread, never on the event loop.
#include <string>

#include "link/bytes.h"

namespace molan::server {

struct HashCost {
  unsigned long long opsLimit;  // argon2id passes
  size_t memLimitBytes;
};

// libsodium's "interactive" cost: 2 passes over 64 MiB.
HashCost defaultHashCost();

// Call once before any hashing; false when libsodium cannot start.
bool initHashing();

// The argon2id string, or empty text when hashing failed (out of memory).
std::string hashSecret(BytesView secret, const HashCost& cost);
bool verifySecret(const std::string& hash, BytesView secret);

}  // namespace molan::server
