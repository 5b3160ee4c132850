#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <sqlite3.h>

// The contact database of the program, in its working folder.
inline constexpr char kContactDatabaseFile[] = "Contact.cdt";

// One connection to the contact database for the length of one operation: opened read-write
// (created when missing) when constructed, closed when destroyed, on every path out. It is for
// one thread at a time. Statement text is wide and reaches SQLite as ANSI bytes, the encoding
// the table's text is stored in.
class DatabaseConnection {
 public:
  explicit DatabaseConnection(const QString& path = QString::fromLatin1(kContactDatabaseFile));
  ~DatabaseConnection();
  DatabaseConnection(const DatabaseConnection&) = delete;
  DatabaseConnection& operator=(const DatabaseConnection&) = delete;

  bool IsOpen() const { return db_ != nullptr; }
  sqlite3* Handle() const { return db_; }

  // Runs one or more statements without a result; returns SQLite's result code.
  int Exec(const QString& sql);
  // The value of the first column of the first row of a query such as `select count(*)`;
  // -1 when the query fails.
  qint64 QueryCount(const QString& sql);
  // The database's text for the last failure.
  QString ErrorText() const;
  // SQLite's result code for the last failure (SQLITE_CANTOPEN when the open failed).
  int ErrorCode() const;

 private:
  sqlite3* db_ = nullptr;
};

// A prepared statement, finalized when destroyed.
class SqlStatement {
 public:
  SqlStatement(DatabaseConnection& db, const QString& sql);
  ~SqlStatement();
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;

  bool IsValid() const { return stmt_ != nullptr; }
  // Whether SQLite copies bound bytes, or reads the caller's until the parameter is bound again
  // or the statement is gone (the caller then keeps them as they are till then).
  enum class Bytes { kCopy, kKept };

  // Binds a value to a parameter (from 1). Text and blobs are bound with their length, so every
  // byte is stored, a NUL byte included; an empty value is empty text or an empty blob, never
  // null.
  bool BindBlob(int index, QByteArrayView bytes, Bytes bytesAre = Bytes::kCopy);
  // Text as ANSI bytes, like the table's text.
  bool BindText(int index, const QString& text);
  // Text that is already ANSI bytes, stored as it is.
  bool BindAnsiText(int index, QByteArrayView ansi, Bytes bytesAre = Bytes::kCopy);
  bool BindInt64(int index, qint64 value);
  // Sets every parameter back to null.
  void ClearBindings();
  // Steps once; returns SQLITE_ROW, SQLITE_DONE or an error code: for a statement that could not
  // be prepared, the code of that failure (SQLITE_CANTOPEN when the database is not open).
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
  // Text of a column, converted from ANSI; empty for null.
  QString ColumnText(int column) const;
  // The stored bytes of a column (ANSI text or a blob); empty for null.
  QByteArray ColumnBytes(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int prepareResult_ = SQLITE_CANTOPEN;
};
