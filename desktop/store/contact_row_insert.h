#pragma once

#include <QByteArrayView>
#include <QString>

#include <span>
#include <vector>

#include "desktop/store/database_connection.h"

// Inserts rows into Contact_Table through one statement, compiled once for its list of columns
// and run once a row with the row's values bound to it. The imports and the add dialog store
// their contacts through it:
// - no value is ever part of the statement's text, so none can break it or add to it: text is
//   bound with its length, and a quote, an apostrophe or a NUL byte is stored exactly as given;
// - SQLite reads the statement once, not once a row: parsing an insert of sixty columns costs
//   more than running it.
//
// Use: construct it with the columns, set each value by its position in that list, call
// Insert(), and go on with the next row. A value not set since the last Insert() is stored as
// null (not as the column's default: leave such a column out of the list). Each Insert() adds
// one row on its own; the caller chooses the transaction around them.
class ContactRowInsert {
 public:
  // Compiles "insert into Contact_Table(<columns>) values(?, ...)" on `db`, which must outlive
  // it. The names are those of Contact_Table (kContactColumns).
  ContactRowInsert(DatabaseConnection& db, std::span<const char* const> columns);

  // False when the statement does not compile: no such table or column, or no open database.
  bool IsValid() const { return statement_.IsValid(); }

  // The value of the column at `position` (from 0, in the order given) for the next row.
  // Text is stored as ANSI bytes, like all text of the table.
  void SetText(int position, const QString& text);
  // Text that is already ANSI bytes, stored as it is, and bytes stored as a blob. They are not
  // copied: the caller keeps them unchanged until Insert().
  void SetAnsiText(int position, QByteArrayView ansi);
  void SetBlob(int position, QByteArrayView bytes);
  void SetInteger(int position, qint64 value);

  // Inserts one row of the values set. True when it went in; the database's text tells why not.
  bool Insert();

 private:
  static QString InsertStatement(std::span<const char* const> columns);

  SqlStatement statement_;
  std::vector<QByteArray> converted_;  // SetText's ANSI bytes, by position, until Insert()
};
