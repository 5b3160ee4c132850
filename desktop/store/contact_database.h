#pragma once

#include <QString>

#include "desktop/store/database_connection.h"
#include "desktop/store/view_state.h"

// The statement that creates the table of a new contact database.
extern const char kCreateContactTable[];
// The index that keeps the views' order (phone contacts first, by first name), and its removal.
extern const char kCreateViewOrderIndex[];
extern const char kDropViewOrderIndex[];

// Start-up bootstrap: creates Contact_Table when the database file is new, otherwise sets the
// page count from the number of rows (at least 1). Sets the current page to 0. Returns 0, or -1
// when the database cannot be opened or the table cannot be created.
int InitContactDatabase(ViewState& app,
                        const QString& path = QString::fromLatin1(kContactDatabaseFile));

// Runs one statement on a connection of its own. Returns 1 when it ran without error, else 0.
// Only a database that cannot be opened is reported to the user.
int ExecuteSql(QString sql);

// True when Contact_Table of the database at `path` holds at least one row.
bool HasContactRecords(const QString& path = QString::fromLatin1(kContactDatabaseFile));
