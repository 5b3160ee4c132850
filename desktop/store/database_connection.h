#pragma once

#include <QString>

#include <sqlite3.h>

#include "common/sqlite_connection.h"
#include "common/sqlite_statement.h"

// The contact database of the program, in its working folder.
inline constexpr char kContactDatabaseFile[] = "Contact.cdt";

// One connection to the contact database for the length of one operation (SqliteConnection): it
// is for one thread at a time. Statement text is wide and reaches SQLite as ANSI bytes, the
// encoding the table's text is stored in.
class DatabaseConnection : public SqliteConnection {
 public:
  explicit DatabaseConnection(const QString& path = QString::fromLatin1(kContactDatabaseFile));

  // Runs one or more statements without a result; returns SQLite's result code.
  int Exec(const QString& sql);
  // The value of the first column of the first row of a query such as `select count(*)`;
  // -1 when the query fails.
  qint64 QueryCount(const QString& sql);
  // The database's text for the last failure.
  QString ErrorText() const;
};

// A prepared statement of the contact database, whose text, like the table's, is ANSI bytes.
class SqlStatement : public SqliteStatement {
 public:
  SqlStatement(DatabaseConnection& db, const QString& sql);

  // Binds text as ANSI bytes (see BindTextBytes).
  bool BindText(int index, const QString& text);
  // Text of a column, converted from ANSI; empty for null.
  QString ColumnText(int column) const;
};
