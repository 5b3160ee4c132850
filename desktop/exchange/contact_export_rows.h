#pragma once

#include <QString>

#include "desktop/store/contact_database.h"

// The rows that an export writes: every row of Contact_Table in the order
// "select * from Contact_Table order by ContactType asc" (phone contacts first), with their
// number, on a connection of the export's own. Only the program's own database is read (see
// CheckContactTable): the exports address a row's columns by their position.
class ContactExportRows {
 public:
  explicit ContactExportRows(const QString& databasePath);

  // What keeps the rows from being read: the database cannot be opened, is not the program's or
  // cannot be read, before the first row or (after Next) in the middle; kNone while they read.
  DatabaseFault Fault() const { return fault_; }
  // False, after telling the user in the tips box, when the rows cannot be read from the start.
  bool Open();

  qint64 Count() const { return count_; }
  // Steps to the next row; false after the last one, or when reading failed (see Fault).
  bool Next();
  const SqlStatement& Row() const { return rows_; }
  DatabaseConnection& Database() { return db_; }

 private:
  DatabaseConnection db_;
  DatabaseFault fault_;
  qint64 count_ = 0;
  SqlStatement rows_;
};
