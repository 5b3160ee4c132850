#pragma once

#include <QString>

#include "desktop/store/database_connection.h"

// The rows that an export writes: every row of Contact_Table in the order
// "select * from Contact_Table order by ContactType asc" (phone contacts first), with their
// number, on a connection of the export's own.
class ContactExportRows {
 public:
  explicit ContactExportRows(const QString& databasePath);

  // False, after telling the user in the tips box, when the database cannot be opened or read.
  bool Open();

  qint64 Count() const { return count_; }
  // Steps to the next row; returns SQLITE_ROW, SQLITE_DONE or an error code.
  int Next() { return rows_.Step(); }
  const SqlStatement& Row() const { return rows_; }
  DatabaseConnection& Database() { return db_; }

 private:
  DatabaseConnection db_;
  qint64 count_;
  SqlStatement rows_;
};
