#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <sqlite3.h>

#include "common/sqlite_connection.h"

// A prepared statement of a connection, finalized when destroyed (it may be moved, to be kept
// for another use). Text goes in and comes out as the bytes SQLite stores; which encoding they
// are in is the caller's business. A statement that does not prepare is invalid: binding fails
// and stepping returns the failure.
class SqliteStatement {
 public:
  // How long the statement is to live: for one use, or kept for many (SQLite then prepares it
  // outside the memory it keeps for short-lived statements).
  enum class Use { kOnce, kKept };

  // Prepares the first statement of `sql`.
  SqliteStatement(SqliteConnection& db, QByteArrayView sql, Use use = Use::kOnce);
  ~SqliteStatement();
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  bool IsValid() const { return stmt_ != nullptr; }

  // Whether SQLite copies bound bytes, or reads the caller's until the parameter is bound again
  // or the statement is gone (the caller then keeps them as they are till then).
  enum class Bytes { kCopy, kKept };

  // Binds a value to a parameter (from 1); false when that fails. Text and blobs are bound with
  // their length, so every byte is stored, a NUL byte included; an empty value is empty text or
  // an empty blob, never null.
  bool BindBlob(int index, QByteArrayView bytes, Bytes bytesAre = Bytes::kCopy);
  bool BindTextBytes(int index, QByteArrayView text, Bytes bytesAre = Bytes::kCopy);
  bool BindInt64(int index, qint64 value);
  bool BindNull(int index);
  // Sets every parameter back to null.
  void ClearBindings();
  // Steps once; returns SQLITE_ROW, SQLITE_DONE or an error code: for a statement that could not
  // be prepared, the code of that failure (SQLITE_CANTOPEN when the connection is not open).
  int Step();
  // Makes the statement ready to step again from the start, keeping its bindings.
  void Reset();

  // The number of columns of a row, and the name of one (from 0).
  int ColumnCount() const;
  QString ColumnName(int column) const;
  // SQLITE_INTEGER, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL or SQLITE_FLOAT: the type the value is
  // stored as, when asked before the value is read in another type.
  int ColumnType(int column) const;
  int ColumnInt(int column) const;
  qint64 ColumnInt64(int column) const;
  // The stored bytes of a column (text or a blob; a number as its text), read where SQLite holds
  // them: valid until the statement steps, resets or reads the column as another type. Empty for
  // null.
  QByteArrayView ColumnView(int column) const;
  // The same bytes, copied.
  QByteArray ColumnBytes(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int prepareResult_ = SQLITE_CANTOPEN;
};
