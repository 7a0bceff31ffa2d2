#include "server/password_hash.h"

#include <sodium.h>

namespace molan::server {

HashCost defaultHashCost() {
  return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

bool initHashing() { return sodium_init() >= 0; }

std::string hashSecret(BytesView secret, const HashCost& cost) {
  char out[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str_alg(out, secret.data(), secret.size(), cost.opsLimit, cost.memLimitBytes,
                            crypto_pwhash_ALG_ARGON2ID13) != 0) {
    return {};
  }
  return out;
}

bool verifySecret(const std::string& hash, BytesView secret) {
  if (hash.empty()) return false;
  return crypto_pwhash_str_verify(hash.c_str(), secret.data(), secret.size()) == 0;
}

}  // namespace molan::server
