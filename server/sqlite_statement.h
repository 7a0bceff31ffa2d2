#pragma once
// A prepared SQLite statement that finalizes itself, with parameter binding by
// position (1-based) and column reads. Values only ever reach SQL through bind.
#include <sqlite3.h>

#include <cstdint>
#include <string>

#include "link/bytes.h"

namespace molan::server {

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { ok_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) == SQLITE_OK; }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return ok_; }
  Statement& bind(int i, int64_t v) {
    ok_ = ok_ && sqlite3_bind_int64(stmt_, i, v) == SQLITE_OK;
    return *this;
  }
  Statement& bindText(int i, const std::string& v) {
    ok_ = ok_ && sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    return *this;
  }
  Statement& bindBlob(int i, BytesView v) {
    ok_ = ok_ && sqlite3_bind_blob(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    return *this;
  }
  // SQLITE_ROW, SQLITE_DONE or an error code (also when preparing failed).
  int step() { return ok_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
  int64_t integer(int col) const { return sqlite3_column_int64(stmt_, col); }
  std::string text(int col) const {
    const auto* p = sqlite3_column_text(stmt_, col);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(stmt_, col)))
             : std::string();
  }
  Bytes blob(int col) const {
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, col));
    return p ? Bytes(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, col))) : Bytes();
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  bool ok_ = false;
};

}  // namespace molan::server
