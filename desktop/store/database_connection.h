#pragma once

#include <QString>

#include <sqlite3.h>

#include "common/sqlite_connection.h"
#include "common/sqlite_statement.h"

// The contact database of the program, in its working folder.
inline constexpr char kContactDatabaseFile[] = "Contact.cdt";

// What keeps the contact database from serving an operation.
enum class DatabaseFault {
  kNone,
  kCannotOpen,  // it cannot be opened, or is not the program's database (another file, another
                // SQLite database, a Contact_Table with other columns)
  kLocked,      // another program holds it
  kCannotRead,  // it is damaged, or reading it failed
};

// The fault an SQLite result code stands for; kNone for SQLITE_OK, SQLITE_ROW and SQLITE_DONE.
DatabaseFault FaultOfResult(int rc);

// One connection to the contact database for the length of one operation (SqliteConnection): it
// is for one thread at a time. Statement text is wide and reaches SQLite as ANSI bytes, the
// encoding the table's text is stored in.
//
// Every operation goes through it, and it serves only the program's own database: once open, it
// checks that Contact_Table has the 62 columns of the table the program creates, in their order,
// which every reader of a whole row and every writer relies on (reading only the schema). A file
// that fails is closed again at once: nothing is read from it or written to it, every call fails,
// and Fault() tells why.
class DatabaseConnection : public SqliteConnection {
 public:
  // What the file opened must be.
  enum class Opening {
    kContactDatabase,  // the program's own database
    kAnyFile,          // any SQLite file: for the start-up that makes the table in a new file
  };

  explicit DatabaseConnection(const QString& path = QString::fromLatin1(kContactDatabaseFile),
                              Opening opening = Opening::kContactDatabase);

  // Why the connection cannot serve: kNone while it is open.
  DatabaseFault Fault() const;
  // Runs one or more statements without a result; returns SQLite's result code.
  int Exec(const QString& sql);
  // The value of the first column of the first row of a query such as `select count(*)`;
  // -1 when the query fails.
  qint64 QueryCount(const QString& sql);
  // The database's text for the last failure.
  QString ErrorText() const;

 private:
  // SQLITE_OK when Contact_Table is the program's; SQLITE_NOTADB when the file holds no such
  // table or one with other columns; else why the schema could not be read.
  int CheckContactTable();
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
