#pragma once

#include <QString>

#include "desktop/store/database_connection.h"
#include "desktop/store/view_state.h"

// The statement that creates the table of a new contact database.
extern const char kCreateContactTable[];
// The index that keeps the views' order (phone contacts first, by first name), and its removal.
extern const char kCreateViewOrderIndex[];
extern const char kDropViewOrderIndex[];

// Start-up bootstrap: creates Contact_Table when the database file is new or empty, otherwise sets
// the page count from the number of rows (at least 1). Sets the current page to 0. False when the
// database cannot be opened, the table cannot be created, or an existing file is not the
// program's database or cannot be read (DatabaseConnection); such a file is left exactly as it
// was.
bool InitContactDatabase(ViewState& app,
                         const QString& path = QString::fromLatin1(kContactDatabaseFile));

// Runs one statement on a connection of its own. True when it ran without error; false also
// when the database cannot be opened.
bool ExecuteSql(const QString& sql);
