#pragma once
// Everything the server keeps: accounts, daily free-use counters, feedback and
// published client releases. The interface is small on purpose, so that a
// shared database can stand in for the local SQLite file. Implementations are
// safe to call from any thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/bytes.h"

namespace molan::server {

struct AccountRecord {
  std::string name;
  std::string passwordHash;  // argon2id string (libsodium format)
  Bytes question;            // GBK, as typed at registration
  std::string answerHash;    // argon2id string of the answer's GBK bytes
  int64_t balance = 0;       // 眼泪
  std::string machineCode;
  int64_t createdAt = 0;     // seconds since the epoch
};

enum class LookupStatus { kFound, kMissing, kFailed };
struct Lookup {
  LookupStatus status = LookupStatus::kFailed;
  AccountRecord account;
};

enum class CreateResult { kCreated, kTaken, kLimitReached, kFailed };

// How one recognition is paid: from the free allowances or from the balance.
struct ChargeRule {
  int personalFree = 0;  // free recognitions per account and day
  int publicFree = 0;    // free recognitions per day, all accounts together
  int cost = 0;          // 眼泪 taken from the balance beyond the allowances
};
enum class ChargeResult { kFree, kCharged, kShort, kFailed };

// The rule itself: free while both allowances last, else the cost from the
// balance, else short.
ChargeResult decideCharge(int64_t personalUsed, int64_t publicUsed, int64_t balance, const ChargeRule& rule);

struct FeedbackRecord {
  int64_t id = 0;
  int64_t time = 0;
  std::string account;
  Bytes text;  // GBK, as sent
};

struct ReleaseRecord {
  std::string version;   // a.b.c.d
  bool forced = false;
  std::string fileName;  // the name the client saves it under
  std::string path;      // where the server reads it
};

class AccountStore {
 public:
  virtual ~AccountStore() = default;

  virtual Lookup lookup(const std::string& name) = 0;
  // Creates the account unless the name is taken or `machineLimit` accounts
  // already carry its machine code (checked and written in one transaction).
  virtual CreateResult create(const AccountRecord& account, int machineLimit) = 0;
  virtual int64_t countByMachine(const std::string& machineCode) = 0;  // -1 on failure
  virtual bool setPasswordHash(const std::string& name, const std::string& hash) = 0;
  // Adds `amount` (may be negative) and gives the new balance; nothing when the
  // account is missing or the balance would leave 0..INT32_MAX.
  virtual std::optional<int64_t> topUp(const std::string& name, int64_t amount) = 0;

  // What charge() would do now, without changing anything.
  virtual ChargeResult previewCharge(const std::string& name, const std::string& day, const ChargeRule& rule) = 0;
  // Pays one recognition of `day` (local date, YYYY-MM-DD) atomically.
  virtual ChargeResult charge(const std::string& name, const std::string& day, const ChargeRule& rule) = 0;

  virtual bool addFeedback(const std::string& account, int64_t time, BytesView text) = 0;
  virtual std::vector<AccountRecord> listAccounts() = 0;
  virtual std::vector<FeedbackRecord> listFeedback() = 0;

  virtual bool publishRelease(const ReleaseRecord& release) = 0;
  virtual std::optional<ReleaseRecord> currentRelease() = 0;
};

}  // namespace molan::server
