#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <span>
#include <vector>

#include "desktop/store/database_connection.h"

// Writes rows of Contact_Table through one statement, compiled once for its list of columns and
// run once a row with the row's values bound to it: ContactRowInsert adds rows, ContactRowUpdate
// changes the row of an ID. The imports and the record dialogs store their contacts through
// them:
// - no value is ever part of the statement's text, so none can break it or add to it: text is
//   bound with its length, and a quote, an apostrophe or a NUL byte is stored exactly as given;
// - SQLite reads the statement once, not once a row: parsing an insert of sixty columns costs
//   more than running it.
//
// Use: construct one with the columns, set each value by its position in that list, run it
// (Insert() or Update()), and go on with the next row. A value not set since the last run is
// stored as null (not as the column's default: leave such a column out of the list). Each run
// writes one row on its own; the caller chooses the transaction around them.
class ContactRowStatement {
 public:
  // False when the statement does not compile: no such table or column, or no open database.
  bool IsValid() const { return statement_.IsValid(); }

  // The value of the column at `position` (from 0, in the order given) for the next run.
  // Text is stored as ANSI bytes, like all text of the table.
  void SetText(int position, const QString& text);
  // Text that is already ANSI bytes, stored as it is, and bytes stored as a blob. They are not
  // copied: the caller keeps them unchanged until the run.
  void SetAnsiText(int position, QByteArrayView ansi);
  void SetBlob(int position, QByteArrayView bytes);
  void SetInteger(int position, qint64 value);

 protected:
  // `sql` has one parameter for each of the `columnCount` columns, in their order, and perhaps
  // more behind them.
  ContactRowStatement(DatabaseConnection& db, const QString& sql, qsizetype columnCount);
  // Runs the statement with the values set. True when it ran; the database's text tells why
  // not.
  bool Run();

  SqlStatement statement_;

 private:
  std::vector<QByteArray> converted_;  // SetText's ANSI bytes, by position, until the run
};

// Adds rows: "insert into Contact_Table(<columns>) values(?, ...)".
class ContactRowInsert : public ContactRowStatement {
 public:
  // `db` must outlive it. The names are those of Contact_Table (kContactColumns).
  ContactRowInsert(DatabaseConnection& db, std::span<const char* const> columns);
  // Inserts one row of the values set; true when it went in.
  bool Insert() { return Run(); }
  // The names of its columns, in their order, joined by commas.
  const QString& ColumnList() const { return columnList_; }

 private:
  QString columnList_;
};

// Changes rows: "update Contact_Table set <column>=?, ... where ID=?".
class ContactRowUpdate : public ContactRowStatement {
 public:
  ContactRowUpdate(DatabaseConnection& db, std::span<const char* const> columns);
  // Writes the values set into the row of `id`; true when the statement ran, whether or not
  // such a row exists.
  bool Update(qint64 id);

 private:
  int idParameter_;
};
