#include "server/session_registry.h"

namespace molan::server {

void SessionRegistry::open(uint64_t conn) {
  std::lock_guard lock(mutex_);
  sessions_[conn] = Session{};
}

void SessionRegistry::close(uint64_t conn) {
  std::lock_guard lock(mutex_);
  const auto it = sessions_.find(conn);
  if (it == sessions_.end()) return;
  if (!it->second.account.empty()) owners_.erase(it->second.account);
  sessions_.erase(it);
}

SessionRegistry::Claim SessionRegistry::claim(uint64_t conn, const std::string& account) {
  std::lock_guard lock(mutex_);
  const auto it = sessions_.find(conn);
  if (it == sessions_.end()) return Claim::kClosed;
  const auto owner = owners_.find(account);
  if (owner != owners_.end() && owner->second != conn) return Claim::kTaken;
  if (!it->second.account.empty()) owners_.erase(it->second.account);
  it->second.account = account;
  owners_[account] = conn;
  return Claim::kClaimed;
}

std::string SessionRegistry::accountOf(uint64_t conn) const {
  std::lock_guard lock(mutex_);
  const auto it = sessions_.find(conn);
  return it == sessions_.end() ? std::string() : it->second.account;
}

void SessionRegistry::markVerified(uint64_t conn, const std::string& account, Clock::time_point now) {
  std::lock_guard lock(mutex_);
  const auto it = sessions_.find(conn);
  if (it == sessions_.end()) return;
  it->second.verifiedAccount = account;
  it->second.verifiedAt = now;
}

bool SessionRegistry::isVerified(uint64_t conn, const std::string& account, Clock::time_point now,
                                 Clock::duration window) const {
  std::lock_guard lock(mutex_);
  const auto it = sessions_.find(conn);
  if (it == sessions_.end() || it->second.verifiedAccount.empty()) return false;
  return it->second.verifiedAccount == account && now - it->second.verifiedAt <= window;
}

void SessionRegistry::clearVerified(uint64_t conn) {
  std::lock_guard lock(mutex_);
  const auto it = sessions_.find(conn);
  if (it != sessions_.end()) it->second.verifiedAccount.clear();
}

}  // namespace molan::server
