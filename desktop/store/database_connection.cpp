#include "desktop/store/database_connection.h"

#include "common/ansi_text.h"
#include "desktop/store/contact_fields.h"

DatabaseFault FaultOfResult(int rc) {
  switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return DatabaseFault::kNone;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return DatabaseFault::kLocked;
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
      return DatabaseFault::kCannotOpen;
    default:
      return DatabaseFault::kCannotRead;
  }
}

// A connection lives for one operation on one thread, so it goes without the lock SQLite would
// otherwise take on every call, which costs an import of many rows a tenth of its time.
DatabaseConnection::DatabaseConnection(const QString& path, Opening opening)
    : SqliteConnection(path, Threads::kOneAtATime) {
  if (!IsOpen() || opening == Opening::kAnyFile) return;
  if (int rc = CheckContactTable(); rc != SQLITE_OK) Close(rc);
}

int DatabaseConnection::CheckContactTable() {
  SqlStatement row(*this, QStringLiteral("select * from Contact_Table"));
  if (!row.IsValid()) {
    // An error of the statement itself: no such table (or a view in its place).
    int rc = ErrorCode();
    return rc == SQLITE_ERROR ? SQLITE_NOTADB : rc;
  }
  if (row.ColumnCount() != kContactColumnCount) return SQLITE_NOTADB;
  for (int column = 0; column < kContactColumnCount; ++column) {
    if (row.ColumnName(column).compare(QLatin1String(kContactColumns[column]),
                                       Qt::CaseInsensitive) != 0) {
      return SQLITE_NOTADB;
    }
  }
  return SQLITE_OK;
}

DatabaseFault DatabaseConnection::Fault() const {
  return IsOpen() ? DatabaseFault::kNone : FaultOfResult(ErrorCode());
}

int DatabaseConnection::Exec(const QString& sql) {
  return SqliteConnection::Exec(WideToAnsi(sql).constData());
}

qint64 DatabaseConnection::QueryCount(const QString& sql) {
  SqlStatement statement(*this, sql);
  if (statement.Step() != SQLITE_ROW) return -1;
  return statement.ColumnInt64(0);
}

QString DatabaseConnection::ErrorText() const { return AnsiToWide(QByteArray(ErrorMessage())); }

SqlStatement::SqlStatement(DatabaseConnection& db, const QString& sql)
    : SqliteStatement(db, WideToAnsi(sql)) {}

bool SqlStatement::BindText(int index, const QString& text) {
  return BindTextBytes(index, WideToAnsi(text));
}

// Decoded where SQLite holds the bytes, without a copy of them first.
QString SqlStatement::ColumnText(int column) const {
  const QByteArrayView bytes = ColumnView(column);
  return AnsiToWide(bytes.data(), bytes.size());
}
