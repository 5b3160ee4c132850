#pragma once

#include <QString>

#include "desktop/store/database_connection.h"

// The rows that an export writes: every row of Contact_Table by ContactType (phone contacts
// first), and those of each type in the order they were stored, with their number, on a
// connection of the export's own.
//
// The order of a type is the order of its records in the file the rows came from: a phone that
// restores a backup fills an empty SIM from its first position in file order, so a SIM that went
// through the desktop comes back with its entries in their positions.
class ContactExportRows {
 public:
  explicit ContactExportRows(const QString& databasePath);

  // False, after telling the user in the tips box, when the database cannot be opened or read.
  bool Open();

  qint64 Count() const { return count_; }
  // Steps to the next row; returns SQLITE_ROW, SQLITE_DONE or an error code.
  int Next();
  const SqlStatement& Row() const { return rows_; }
  DatabaseConnection& Database() { return db_; }

 private:
  DatabaseConnection db_;
  qint64 count_;
  qint64 types_;  // the distinct ContactType values
  qint64 type_ = 0;
  SqlStatement rows_;
};
