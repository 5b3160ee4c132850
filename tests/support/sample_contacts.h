#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <functional>
#include <map>
#include <vector>

#include "desktop/store/database_connection.h"

// A contact row to put into Contact_Table, column by column.
struct SampleContact {
  std::map<QString, QString> columns;  // column name -> text
  QByteArray picture;                  // stored in Picture with hasPic = 1 when not empty

  SampleContact& Set(const QString& column, const QString& value) {
    columns[column] = value;
    return *this;
  }
};

// A phone contact (ContactType 1) with its composed SIM_Name "Last,First".
SampleContact SamplePhoneContact(const QString& first, const QString& last,
                                 const QString& mobile = QString());
// A SIM contact (ContactType 2) as the import stores it.
SampleContact SampleSimContact(const QString& name, const QString& number);

// Inserts the contacts into Contact.cdt of the working folder (creating the table when needed)
// and returns their IDs.
std::vector<qint64> InsertContacts(const std::vector<SampleContact>& contacts);
// Inserts `count` numbered phone contacts.
void InsertNumberedContacts(int count);

// Makes Contact.cdt of the working folder with the program's bootstrap and fills it with `count`
// contacts "First0", "First1", ..., a database page each, then damages the page of the one
// numbered `damaged`: reading it fails (SQLITE_CORRUPT), while the row count, the views' IDs and
// the other contacts read as before. The damaged one is a SIM contact, so it comes last in view
// order (after the others, phone contacts) and no query of phone contacts alone reaches it.
void InsertContactsWithOneDamaged(int count, int damaged);

// Number of rows of Contact_Table, or -1 when it cannot be read.
qint64 CountContactRows(const QString& condition = QString());
// The text of one column of the first row matching the condition.
QString ColumnValue(const QString& column, const QString& condition);
// The stored bytes of one column of every row, by ID.
QByteArrayList ColumnBytes(const QString& column);

// Calls `import` with each database that cannot take an import's records, and the fault it gives:
// one that cannot be opened, one without Contact_Table, one whose Contact_Table has a column
// added, and Contact.cdt of the working folder while another program writes it, reads it, or
// holds it alone. Contact.cdt is put back as it was after each.
void ForEachDatabaseThatCannotTakeRecords(
    const std::function<void(const QString& database, DatabaseFault fault)>& import);

// Values that statements built as text lose or break, each to be stored exactly: a NUL byte,
// double quotes, apostrophes, and a value of 1 MB (CJK text, quotes and NUL bytes among it).
struct ExactValue {
  const char* what;
  QString text;
};
const std::vector<ExactValue>& ExactValues();
