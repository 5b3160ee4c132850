#include "common/sqlite_statement.h"

#include <utility>

namespace {

unsigned PrepareFlags(SqliteStatement::Use use) {
  return use == SqliteStatement::Use::kKept ? SQLITE_PREPARE_PERSISTENT : 0;
}

// SQLite binds null for a null pointer; an empty value is to stay empty.
const char* NonNull(QByteArrayView bytes) { return bytes.data() != nullptr ? bytes.data() : ""; }

sqlite3_destructor_type Lifetime(SqliteStatement::Bytes bytesAre) {
  return bytesAre == SqliteStatement::Bytes::kKept ? SQLITE_STATIC : SQLITE_TRANSIENT;
}

}  // namespace

SqliteStatement::SqliteStatement(SqliteConnection& db, QByteArrayView sql, Use use) {
  if (!db.IsOpen()) return;
  prepareResult_ = sqlite3_prepare_v3(db.Handle(), sql.data(), static_cast<int>(sql.size()),
                                      PrepareFlags(use), &stmt_, nullptr);
  if (prepareResult_ != SQLITE_OK || stmt_ == nullptr) {
    if (prepareResult_ == SQLITE_OK) prepareResult_ = SQLITE_MISUSE;  // no statement in the text
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), prepareResult_(other.prepareResult_) {}

bool SqliteStatement::BindBlob(int index, QByteArrayView bytes, Bytes bytesAre) {
  return stmt_ != nullptr && sqlite3_bind_blob64(stmt_, index, NonNull(bytes),
                                                 static_cast<sqlite3_uint64>(bytes.size()),
                                                 Lifetime(bytesAre)) == SQLITE_OK;
}

bool SqliteStatement::BindTextBytes(int index, QByteArrayView text, Bytes bytesAre) {
  return stmt_ != nullptr &&
         sqlite3_bind_text64(stmt_, index, NonNull(text), static_cast<sqlite3_uint64>(text.size()),
                             Lifetime(bytesAre), SQLITE_UTF8) == SQLITE_OK;
}

bool SqliteStatement::BindInt64(int index, qint64 value) {
  return stmt_ != nullptr && sqlite3_bind_int64(stmt_, index, value) == SQLITE_OK;
}

bool SqliteStatement::BindNull(int index) {
  return stmt_ != nullptr && sqlite3_bind_null(stmt_, index) == SQLITE_OK;
}

void SqliteStatement::ClearBindings() {
  if (stmt_ != nullptr) sqlite3_clear_bindings(stmt_);
}

int SqliteStatement::Step() { return stmt_ != nullptr ? sqlite3_step(stmt_) : prepareResult_; }

void SqliteStatement::Reset() { sqlite3_reset(stmt_); }

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(stmt_); }

QString SqliteStatement::ColumnName(int column) const {
  return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

int SqliteStatement::ColumnType(int column) const { return sqlite3_column_type(stmt_, column); }

int SqliteStatement::ColumnInt(int column) const { return sqlite3_column_int(stmt_, column); }

qint64 SqliteStatement::ColumnInt64(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

// The blob reading hands out the bytes as they are: reading them as text would first copy them to
// add a terminating NUL byte.
QByteArrayView SqliteStatement::ColumnView(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  return QByteArrayView(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, column));
}

QByteArray SqliteStatement::ColumnBytes(int column) const {
  return ColumnView(column).toByteArray();
}
