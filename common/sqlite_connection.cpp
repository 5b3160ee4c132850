#include "common/sqlite_connection.h"

#include <QFile>

#include <atomic>

namespace {

// SQLite counts the memory it uses behind a global lock unless told not to before its first use;
// nothing here reads the count, and the lock costs the desktop's imports a fifth of their time.
const bool kMemoryCountingOff = [] {
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  return true;
}();

int OpenFlags(SqliteConnection::Threads threads) {
  return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
         (threads == SqliteConnection::Threads::kOneAtATime ? SQLITE_OPEN_NOMUTEX
                                                            : SQLITE_OPEN_FULLMUTEX);
}

std::atomic<bool> runFileTriggers = false;

void Harden(sqlite3* db) {
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, runFileTriggers ? 1 : 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
}

}  // namespace

SqliteConnection::SqliteConnection(const QString& path, Threads threads) {
  sqlite3* db = nullptr;
  openResult_ =
      sqlite3_open_v2(QFile::encodeName(path).constData(), &db, OpenFlags(threads), nullptr);
  if (openResult_ != SQLITE_OK) {
    sqlite3_close(db);  // SQLite hands out a handle even when the open fails
    return;
  }
  Harden(db);
  db_ = db;
}

SqliteConnection::~SqliteConnection() { sqlite3_close(db_); }

void SqliteConnection::Close(int result) {
  sqlite3_close(db_);
  db_ = nullptr;
  openResult_ = result;
}

void SqliteConnection::RunFileTriggers(bool run) { runFileTriggers = run; }

int SqliteConnection::Exec(const char* sql) {
  if (db_ == nullptr) return SQLITE_CANTOPEN;
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

int SqliteConnection::ErrorCode() const {
  return db_ != nullptr ? sqlite3_errcode(db_) : openResult_;
}

const char* SqliteConnection::ErrorMessage() const {
  return db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(openResult_);
}
