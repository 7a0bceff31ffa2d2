#pragma once
// AccountStore on a local SQLite file. One connection guarded by a mutex;
// every statement is prepared with bound parameters. WAL journal, so the admin
// command can read and write while the server runs.
#include <memory>
#include <mutex>
#include <string>

#include "server/account_store.h"

struct sqlite3;

namespace molan::server {

class SqliteStore final : public AccountStore {
 public:
  // Opens (creating if needed) the database file and its tables; nothing on failure.
  static std::unique_ptr<SqliteStore> open(const std::string& path, std::string* error);
  ~SqliteStore() override;
  SqliteStore(const SqliteStore&) = delete;
  SqliteStore& operator=(const SqliteStore&) = delete;

  Lookup lookup(const std::string& name) override;
  CreateResult create(const AccountRecord& account, int machineLimit) override;
  int64_t countByMachine(const std::string& machineCode) override;
  bool setPasswordHash(const std::string& name, const std::string& hash) override;
  std::optional<int64_t> topUp(const std::string& name, int64_t amount) override;
  ChargeResult previewCharge(const std::string& name, const std::string& day, const ChargeRule& rule) override;
  ChargeResult charge(const std::string& name, const std::string& day, const ChargeRule& rule) override;
  bool addFeedback(const std::string& account, int64_t time, BytesView text) override;
  std::vector<AccountRecord> listAccounts() override;
  std::vector<FeedbackRecord> listFeedback() override;
  bool publishRelease(const ReleaseRecord& release) override;
  std::optional<ReleaseRecord> currentRelease() override;

 private:
  explicit SqliteStore(sqlite3* db) : db_(db) {}
  bool exec(const char* sql);
  ChargeResult chargeLocked(const std::string& name, const std::string& day, const ChargeRule& rule, bool apply);
  int64_t countByMachineLocked(const std::string& machineCode);

  std::mutex mutex_;
  sqlite3* db_;
};

}  // namespace molan::server
