#include "server/sqlite_store.h"

#include <sqlite3.h>

#include <cstdint>
#include <limits>

#include "server/sqlite_statement.h"

namespace molan::server {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS accounts (
  name TEXT PRIMARY KEY NOT NULL,
  password_hash TEXT NOT NULL,
  question BLOB NOT NULL,
  answer_hash TEXT NOT NULL,
  balance INTEGER NOT NULL,
  machine_code TEXT NOT NULL,
  created_at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS accounts_by_machine ON accounts(machine_code);
CREATE TABLE IF NOT EXISTS free_use (
  account TEXT NOT NULL, day TEXT NOT NULL, count INTEGER NOT NULL, PRIMARY KEY (account, day));
CREATE TABLE IF NOT EXISTS public_use (day TEXT PRIMARY KEY NOT NULL, count INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS feedback (
  id INTEGER PRIMARY KEY AUTOINCREMENT, time INTEGER NOT NULL, account TEXT NOT NULL, text BLOB NOT NULL);
CREATE TABLE IF NOT EXISTS releases (
  id INTEGER PRIMARY KEY AUTOINCREMENT, version TEXT NOT NULL, forced INTEGER NOT NULL,
  file_name TEXT NOT NULL, path TEXT NOT NULL);
)sql";

constexpr int64_t kMaxBalance = std::numeric_limits<int32_t>::max();

AccountRecord readAccount(const Statement& s) {
  AccountRecord a;
  a.name = s.text(0);
  a.passwordHash = s.text(1);
  a.question = s.blob(2);
  a.answerHash = s.text(3);
  a.balance = s.integer(4);
  a.machineCode = s.text(5);
  a.createdAt = s.integer(6);
  return a;
}

constexpr const char* kAccountColumns =
    "SELECT name, password_hash, question, answer_hash, balance, machine_code, created_at FROM accounts";

}  // namespace

ChargeResult decideCharge(int64_t personalUsed, int64_t publicUsed, int64_t balance, const ChargeRule& rule) {
  if (personalUsed < rule.personalFree && publicUsed < rule.publicFree) return ChargeResult::kFree;
  if (balance >= rule.cost) return ChargeResult::kCharged;
  return ChargeResult::kShort;
}

std::unique_ptr<SqliteStore> SqliteStore::open(const std::string& path, std::string* error) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                                 nullptr);
  if (rc != SQLITE_OK) {
    if (error) *error = db ? sqlite3_errmsg(db) : "cannot open database";
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, 5000);
  std::unique_ptr<SqliteStore> store(new SqliteStore(db));
  if (!store->exec("PRAGMA journal_mode=WAL;") || !store->exec("PRAGMA synchronous=NORMAL;") ||
      !store->exec(kSchema)) {
    if (error) *error = sqlite3_errmsg(db);
    return nullptr;
  }
  return store;
}

SqliteStore::~SqliteStore() { sqlite3_close(db_); }

bool SqliteStore::exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

Lookup SqliteStore::lookup(const std::string& name) {
  std::lock_guard lock(mutex_);
  Statement s(db_, (std::string(kAccountColumns) + " WHERE name = ?1").c_str());
  s.bindText(1, name);
  const int rc = s.step();
  if (rc == SQLITE_ROW) return {LookupStatus::kFound, readAccount(s)};
  if (rc == SQLITE_DONE) return {LookupStatus::kMissing, {}};
  return {LookupStatus::kFailed, {}};
}

int64_t SqliteStore::countByMachineLocked(const std::string& machineCode) {
  Statement s(db_, "SELECT COUNT(*) FROM accounts WHERE machine_code = ?1");
  s.bindText(1, machineCode);
  return s.step() == SQLITE_ROW ? s.integer(0) : -1;
}

int64_t SqliteStore::countByMachine(const std::string& machineCode) {
  std::lock_guard lock(mutex_);
  return countByMachineLocked(machineCode);
}

CreateResult SqliteStore::create(const AccountRecord& a, int machineLimit) {
  std::lock_guard lock(mutex_);
  if (!exec("BEGIN IMMEDIATE")) return CreateResult::kFailed;
  auto finish = [this](CreateResult r) {
    exec(r == CreateResult::kCreated ? "COMMIT" : "ROLLBACK");
    return r;
  };
  if (!a.machineCode.empty()) {
    const int64_t count = countByMachineLocked(a.machineCode);
    if (count < 0) return finish(CreateResult::kFailed);
    if (count >= machineLimit) return finish(CreateResult::kLimitReached);
  }
  Statement s(db_,
              "INSERT INTO accounts (name, password_hash, question, answer_hash, balance, machine_code, created_at) "
              "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  s.bindText(1, a.name).bindText(2, a.passwordHash).bindBlob(3, a.question).bindText(4, a.answerHash);
  s.bind(5, a.balance).bindText(6, a.machineCode).bind(7, a.createdAt);
  const int rc = s.step();
  if (rc == SQLITE_DONE) return finish(CreateResult::kCreated);
  if (rc == SQLITE_CONSTRAINT) return finish(CreateResult::kTaken);
  return finish(CreateResult::kFailed);
}

bool SqliteStore::setPasswordHash(const std::string& name, const std::string& hash) {
  std::lock_guard lock(mutex_);
  Statement s(db_, "UPDATE accounts SET password_hash = ?1 WHERE name = ?2");
  s.bindText(1, hash).bindText(2, name);
  return s.step() == SQLITE_DONE && sqlite3_changes(db_) == 1;
}

std::optional<int64_t> SqliteStore::topUp(const std::string& name, int64_t amount) {
  std::lock_guard lock(mutex_);
  Statement s(db_,
              "UPDATE accounts SET balance = balance + ?1 WHERE name = ?2 "
              "AND balance + ?1 BETWEEN 0 AND ?3 RETURNING balance");
  s.bind(1, amount).bindText(2, name).bind(3, kMaxBalance);
  if (s.step() != SQLITE_ROW) return std::nullopt;
  return s.integer(0);
}

ChargeResult SqliteStore::chargeLocked(const std::string& name, const std::string& day, const ChargeRule& rule,
                                       bool apply) {
  Statement personal(db_,
                     "SELECT a.balance, COALESCE(f.count, 0) FROM accounts a "
                     "LEFT JOIN free_use f ON f.account = a.name AND f.day = ?2 WHERE a.name = ?1");
  personal.bindText(1, name).bindText(2, day);
  if (personal.step() != SQLITE_ROW) return ChargeResult::kFailed;
  const int64_t balance = personal.integer(0);
  const int64_t personalUsed = personal.integer(1);
  Statement pub(db_, "SELECT count FROM public_use WHERE day = ?1");
  pub.bindText(1, day);
  const int rc = pub.step();
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) return ChargeResult::kFailed;
  const int64_t publicUsed = rc == SQLITE_ROW ? pub.integer(0) : 0;

  const ChargeResult result = decideCharge(personalUsed, publicUsed, balance, rule);
  if (!apply) return result;
  if (result == ChargeResult::kFree) {
    Statement f(db_,
                "INSERT INTO free_use (account, day, count) VALUES (?1, ?2, 1) "
                "ON CONFLICT(account, day) DO UPDATE SET count = count + 1");
    f.bindText(1, name).bindText(2, day);
    Statement p(db_,
                "INSERT INTO public_use (day, count) VALUES (?1, 1) "
                "ON CONFLICT(day) DO UPDATE SET count = count + 1");
    p.bindText(1, day);
    if (f.step() != SQLITE_DONE || p.step() != SQLITE_DONE) return ChargeResult::kFailed;
  } else if (result == ChargeResult::kCharged) {
    Statement u(db_, "UPDATE accounts SET balance = balance - ?1 WHERE name = ?2 AND balance >= ?1");
    u.bind(1, rule.cost).bindText(2, name);
    if (u.step() != SQLITE_DONE || sqlite3_changes(db_) != 1) return ChargeResult::kFailed;
  }
  return result;
}

ChargeResult SqliteStore::previewCharge(const std::string& name, const std::string& day, const ChargeRule& rule) {
  std::lock_guard lock(mutex_);
  return chargeLocked(name, day, rule, false);
}

ChargeResult SqliteStore::charge(const std::string& name, const std::string& day, const ChargeRule& rule) {
  std::lock_guard lock(mutex_);
  if (!exec("BEGIN IMMEDIATE")) return ChargeResult::kFailed;
  const ChargeResult result = chargeLocked(name, day, rule, true);
  const bool keep = result == ChargeResult::kFree || result == ChargeResult::kCharged;
  if (!exec(keep ? "COMMIT" : "ROLLBACK")) return ChargeResult::kFailed;
  return result;
}

bool SqliteStore::addFeedback(const std::string& account, int64_t time, BytesView text) {
  std::lock_guard lock(mutex_);
  Statement s(db_, "INSERT INTO feedback (time, account, text) VALUES (?1, ?2, ?3)");
  s.bind(1, time).bindText(2, account).bindBlob(3, text);
  return s.step() == SQLITE_DONE;
}

std::vector<AccountRecord> SqliteStore::listAccounts() {
  std::lock_guard lock(mutex_);
  std::vector<AccountRecord> out;
  Statement s(db_, (std::string(kAccountColumns) + " ORDER BY name").c_str());
  while (s.step() == SQLITE_ROW) out.push_back(readAccount(s));
  return out;
}

std::vector<FeedbackRecord> SqliteStore::listFeedback() {
  std::lock_guard lock(mutex_);
  std::vector<FeedbackRecord> out;
  Statement s(db_, "SELECT id, time, account, text FROM feedback ORDER BY id");
  while (s.step() == SQLITE_ROW) out.push_back({s.integer(0), s.integer(1), s.text(2), s.blob(3)});
  return out;
}

bool SqliteStore::publishRelease(const ReleaseRecord& r) {
  std::lock_guard lock(mutex_);
  Statement s(db_, "INSERT INTO releases (version, forced, file_name, path) VALUES (?1, ?2, ?3, ?4)");
  s.bindText(1, r.version).bind(2, r.forced ? 1 : 0).bindText(3, r.fileName).bindText(4, r.path);
  return s.step() == SQLITE_DONE;
}

std::optional<ReleaseRecord> SqliteStore::currentRelease() {
  std::lock_guard lock(mutex_);
  Statement s(db_, "SELECT version, forced, file_name, path FROM releases ORDER BY id DESC LIMIT 1");
  if (s.step() != SQLITE_ROW) return std::nullopt;
  return ReleaseRecord{s.text(0), s.integer(1) != 0, s.text(2), s.text(3)};
}

}  // namespace molan::server
