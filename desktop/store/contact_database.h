#pragma once

#include <QString>

#include "desktop/store/database_connection.h"
#include "desktop/store/view_state.h"

// The statement that creates the table of a new contact database.
extern const char kCreateContactTable[];
// The index that keeps the views' order (phone contacts first, by first name), and its removal.
extern const char kCreateViewOrderIndex[];
extern const char kDropViewOrderIndex[];

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
// The message that tells the user of the fault ("Can't open database!", ...).
QString DatabaseFaultText(DatabaseFault fault);

// Whether the database is the program's own: its Contact_Table has the 62 columns of the table
// the program creates, in their order, which every reader of a whole row relies on. Reads only
// the schema. Nothing may be written to a database that fails this.
DatabaseFault CheckContactTable(DatabaseConnection& db);

// Start-up bootstrap: creates Contact_Table when the database file is new or empty, otherwise sets
// the page count from the number of rows (at least 1). Sets the current page to 0. Returns 0, or -1
// when the database cannot be opened, the table cannot be created, or an existing file is not
// the program's database or cannot be read; such a file is left exactly as it was.
int InitContactDatabase(ViewState& app,
                        const QString& path = QString::fromLatin1(kContactDatabaseFile));

// Runs one statement on a connection of its own. Returns 1 when it ran without error, else 0.
// Only a database that cannot be opened is reported to the user.
int ExecuteSql(QString sql);

// True when Contact_Table of the database at `path` holds at least one row.
bool HasContactRecords(const QString& path = QString::fromLatin1(kContactDatabaseFile));
