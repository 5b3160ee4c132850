#pragma once

#include <QString>

#include "desktop/store/contact_database.h"

// The rows that an export writes: every row of Contact_Table by ContactType (phone contacts
// first), and those of each type in the order they were stored, with their number, on a
// connection of the export's own. Only the program's own database is read (see
// DatabaseConnection): the exports address a row's columns by their position.
//
// The order of a type is the order of its records in the file the rows came from: a phone that
// restores a backup fills an empty SIM from its first position in file order, so a SIM that went
// through the desktop comes back with its entries in their positions.
class ContactExportRows {
 public:
  explicit ContactExportRows(const QString& databasePath);

  // What keeps the rows from being read: the database cannot be opened, is not the program's or
  // cannot be read, before the first row or (after Next) in the middle; kNone while they read.
  DatabaseFault Fault() const { return fault_; }

  qint64 Count() const { return count_; }
  // Steps to the next row; false after the last one, or when reading failed (see Fault).
  bool Next();
  const SqlStatement& Row() const { return rows_; }
  DatabaseConnection& Database() { return db_; }

 private:
  DatabaseConnection db_;
  DatabaseFault fault_;
  qint64 count_ = 0;
  qint64 types_ = 0;  // the distinct ContactType values
  qint64 type_ = 0;   // the one read now, by its place in ascending order
  SqlStatement rows_;
};
