#pragma once
// Who is logged in on which connection. An account is held by at most one
// open connection; closing that connection frees it. A passed security check
// is remembered per connection for a while, and only then may that
// connection set the account's new password. Thread-safe: the event loop
// opens and closes connections, workers claim accounts.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace molan::server {

class SessionRegistry {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Claim { kClaimed, kTaken, kClosed };

  void open(uint64_t conn);
  void close(uint64_t conn);
  // Logs `account` in on `conn`, letting go of the account it held before.
  // kTaken while another open connection holds it; kClosed when `conn` has
  // closed meanwhile (the claim is not kept).
  Claim claim(uint64_t conn, const std::string& account);
  // The account logged in on `conn`, empty when none.
  std::string accountOf(uint64_t conn) const;

  void markVerified(uint64_t conn, const std::string& account, Clock::time_point now);
  // True when `conn` passed the security check of `account` no longer than
  // `window` before `now`.
  bool isVerified(uint64_t conn, const std::string& account, Clock::time_point now, Clock::duration window) const;
  void clearVerified(uint64_t conn);

 private:
  struct Session {
    std::string account;
    std::string verifiedAccount;
    Clock::time_point verifiedAt{};
  };
  mutable std::mutex mutex_;
  std::unordered_map<uint64_t, Session> sessions_;
  std::unordered_map<std::string, uint64_t> owners_;
};

}  // namespace molan::server
