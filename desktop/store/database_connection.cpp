#include "desktop/store/database_connection.h"

#include <QFile>

#include "common/ansi_text.h"

namespace {

// SQLite counts the memory it uses behind a global lock unless told not to before its first use;
// nothing here reads the count, and the lock costs imports a fifth of their time.
const bool kMemoryCountingOff = [] {
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  return true;
}();

// A connection lives for one operation on one thread, so it goes without the lock SQLite would
// otherwise take on every call, which costs an import of many rows a tenth of its time.
constexpr int kOpenFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;

}  // namespace

DatabaseConnection::DatabaseConnection(const QString& path) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, kOpenFlags, nullptr);
  if (rc == SQLITE_OK) {
    db_ = db;
  } else {
    sqlite3_close(db);  // SQLite hands out a handle even when the open fails
  }
}

DatabaseConnection::~DatabaseConnection() {
  if (db_ != nullptr) sqlite3_close(db_);
}

int DatabaseConnection::Exec(const QString& sql) {
  if (db_ == nullptr) return SQLITE_CANTOPEN;
  char* error = nullptr;
  int rc = sqlite3_exec(db_, WideToAnsi(sql).constData(), nullptr, nullptr, &error);
  sqlite3_free(error);
  return rc;
}

qint64 DatabaseConnection::QueryCount(const QString& sql) {
  SqlStatement statement(*this, sql);
  if (!statement.IsValid() || statement.Step() != SQLITE_ROW) return -1;
  return statement.ColumnInt64(0);
}

QString DatabaseConnection::ErrorText() const {
  return db_ != nullptr ? AnsiToWide(QByteArray(sqlite3_errmsg(db_)))
                        : QStringLiteral("unable to open database file");
}

int DatabaseConnection::ErrorCode() const {
  return db_ != nullptr ? sqlite3_errcode(db_) : SQLITE_CANTOPEN;
}

SqlStatement::SqlStatement(DatabaseConnection& db, const QString& sql) {
  if (!db.IsOpen()) return;
  QByteArray text = WideToAnsi(sql);
  prepareResult_ = sqlite3_prepare_v2(db.Handle(), text.constData(), static_cast<int>(text.size()),
                                      &stmt_, nullptr);
  if (prepareResult_ != SQLITE_OK || stmt_ == nullptr) {
    if (prepareResult_ == SQLITE_OK) prepareResult_ = SQLITE_MISUSE;  // no statement in the text
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

SqlStatement::~SqlStatement() { sqlite3_finalize(stmt_); }

namespace {

// SQLite binds null for a null pointer; an empty value is to stay empty.
const char* NonNull(QByteArrayView bytes) { return bytes.data() != nullptr ? bytes.data() : ""; }

sqlite3_destructor_type Lifetime(SqlStatement::Bytes bytesAre) {
  return bytesAre == SqlStatement::Bytes::kKept ? SQLITE_STATIC : SQLITE_TRANSIENT;
}

}  // namespace

bool SqlStatement::BindBlob(int index, QByteArrayView bytes, Bytes bytesAre) {
  return stmt_ != nullptr && sqlite3_bind_blob64(stmt_, index, NonNull(bytes),
                                                 static_cast<sqlite3_uint64>(bytes.size()),
                                                 Lifetime(bytesAre)) == SQLITE_OK;
}

bool SqlStatement::BindText(int index, const QString& text) {
  return BindAnsiText(index, WideToAnsi(text));
}

bool SqlStatement::BindAnsiText(int index, QByteArrayView ansi, Bytes bytesAre) {
  return stmt_ != nullptr &&
         sqlite3_bind_text64(stmt_, index, NonNull(ansi), static_cast<sqlite3_uint64>(ansi.size()),
                             Lifetime(bytesAre), SQLITE_UTF8) == SQLITE_OK;
}

bool SqlStatement::BindInt64(int index, qint64 value) {
  return stmt_ != nullptr && sqlite3_bind_int64(stmt_, index, value) == SQLITE_OK;
}

void SqlStatement::ClearBindings() {
  if (stmt_ != nullptr) sqlite3_clear_bindings(stmt_);
}

int SqlStatement::Step() { return stmt_ != nullptr ? sqlite3_step(stmt_) : prepareResult_; }

void SqlStatement::Reset() { sqlite3_reset(stmt_); }

int SqlStatement::ColumnCount() const { return sqlite3_column_count(stmt_); }

QString SqlStatement::ColumnName(int column) const {
  return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

int SqlStatement::ColumnType(int column) const { return sqlite3_column_type(stmt_, column); }

int SqlStatement::ColumnInt(int column) const { return sqlite3_column_int(stmt_, column); }

qint64 SqlStatement::ColumnInt64(int column) const { return sqlite3_column_int64(stmt_, column); }

// Decoded where SQLite holds the bytes, without a copy of them first.
QString SqlStatement::ColumnText(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  return AnsiToWide(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, column));
}

QByteArray SqlStatement::ColumnBytes(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  int size = sqlite3_column_bytes(stmt_, column);
  return data != nullptr ? QByteArray(static_cast<const char*>(data), size) : QByteArray();
}
