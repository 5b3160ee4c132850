#include "desktop/store/database_connection.h"

#include "common/ansi_text.h"

// A connection lives for one operation on one thread, so it goes without the lock SQLite would
// otherwise take on every call, which costs an import of many rows a tenth of its time.
DatabaseConnection::DatabaseConnection(const QString& path)
    : SqliteConnection(path, Threads::kOneAtATime) {}

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
