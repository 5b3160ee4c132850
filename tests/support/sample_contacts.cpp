#include "tests/support/sample_contacts.h"

#include <QStringList>

#include <gtest/gtest.h>

#include "desktop/store/contact_database.h"
#include "desktop/store/contact_row_statement.h"
#include "tests/support/working_folder.h"

SampleContact SamplePhoneContact(const QString& first, const QString& last, const QString& mobile) {
  SampleContact contact;
  contact.Set("ContactType", "1").Set("First_Name", first).Set("Last_Name", last);
  contact.Set("SIM_Name", last.isEmpty() ? first : last + "," + first);
  if (!mobile.isEmpty()) contact.Set("Mobile_Phone", mobile);
  return contact;
}

SampleContact SampleSimContact(const QString& name, const QString& number) {
  SampleContact contact;
  contact.Set("ContactType", "2").Set("First_Name", name).Set("File_As", name);
  contact.Set("SIM_Name", name).Set("Mobile_Phone", number);
  return contact;
}

std::vector<qint64> InsertContacts(const std::vector<SampleContact>& contacts) {
  DatabaseConnection db(kContactDatabaseFile, DatabaseConnection::Opening::kAnyFile);
  db.Exec(QString::fromLatin1(kCreateContactTable));  // fails harmlessly when it exists
  std::vector<qint64> ids;
  for (const SampleContact& contact : contacts) {
    QByteArrayList names;
    for (const auto& [column, value] : contact.columns) names << column.toLatin1();
    names << "Picture"
          << "hasPic";
    std::vector<const char*> columns;
    for (const QByteArray& name : names) columns.push_back(name.constData());
    ContactRowInsert insert(db, columns);
    int position = 0;
    for (const auto& [column, value] : contact.columns) insert.SetText(position++, value);
    if (!contact.picture.isEmpty()) insert.SetBlob(position, contact.picture);
    insert.SetInteger(position + 1, contact.picture.isEmpty() ? 0 : 1);
    if (!insert.Insert()) ADD_FAILURE() << db.ErrorText().toStdString();
    ids.push_back(sqlite3_last_insert_rowid(db.Handle()));
  }
  return ids;
}

void InsertNumberedContacts(int count) {
  std::vector<SampleContact> contacts;
  for (int i = 0; i < count; ++i) {
    contacts.push_back(SamplePhoneContact(QString("First%1").arg(i), QString("Last%1").arg(i),
                                          QString("1380000%1").arg(i, 4, 10, QChar('0'))));
  }
  InsertContacts(contacts);
}

void InsertContactsWithOneDamaged(int count, int damaged) {
  ViewState state;
  ASSERT_TRUE(InitContactDatabase(state));
  // Notes of 3000 bytes: too long for two rows to share a page of 4096 bytes, short enough to
  // stay on the row's own page.
  const QByteArray marker = "damaged-row-marker";
  std::vector<SampleContact> contacts;
  for (int i = 0; i < count; ++i) {
    QString name = QString("First%1").arg(i);
    SampleContact contact =
        i == damaged ? SampleSimContact(name, "1") : SamplePhoneContact(name, "");
    QString notes = QString(i == damaged ? marker : QByteArray()).leftJustified(3000, '.');
    contacts.push_back(contact.Set("Notes", notes));
  }
  InsertContacts(contacts);

  QByteArray bytes = ReadFileBytes(kContactDatabaseFile);
  qsizetype at = bytes.indexOf(marker);
  ASSERT_GE(at, 0);
  // The page size is the big-endian 16-bit value at offset 16 of the header; a page's first byte
  // is its kind, and no page has the kind 0.
  int pageSize =
      (static_cast<unsigned char>(bytes[16]) << 8) | static_cast<unsigned char>(bytes[17]);
  bytes[at / pageSize * pageSize] = 0;
  WriteFileBytes(kContactDatabaseFile, bytes);
}

qint64 CountContactRows(const QString& condition) {
  DatabaseConnection db;
  QString sql = "select count(*) from Contact_Table";
  if (!condition.isEmpty()) sql += " where " + condition;
  return db.QueryCount(sql);
}

QString ColumnValue(const QString& column, const QString& condition) {
  DatabaseConnection db;
  SqlStatement query(db, "select " + column + " from Contact_Table where " + condition);
  return query.Step() == SQLITE_ROW ? query.ColumnText(0) : QString();
}

QByteArrayList ColumnBytes(const QString& column) {
  DatabaseConnection db;
  SqlStatement query(db, "select " + column + " from Contact_Table order by ID");
  QByteArrayList values;
  while (query.Step() == SQLITE_ROW) values << query.ColumnBytes(0);
  return values;
}

void ForEachDatabaseThatCannotTakeRecords(
    const std::function<void(const QString& database, DatabaseFault fault)>& import) {
  const struct {
    const char* database;
    const char* change;  // how Contact.cdt is changed, or held by another program
    const char* undo;
    DatabaseFault fault;
  } kDatabases[] = {
      {"missing/Contact.cdt", "", "", DatabaseFault::kCannotOpen},
      {"Contact.cdt", "alter table Contact_Table rename to Other",
       "alter table Other rename to Contact_Table", DatabaseFault::kCannotOpen},
      {"Contact.cdt", "alter table Contact_Table add column Extra",
       "alter table Contact_Table drop column Extra", DatabaseFault::kCannotOpen},
      {"Contact.cdt", "begin immediate", "rollback", DatabaseFault::kLocked},
      {"Contact.cdt", "begin; select count(*) from Contact_Table", "rollback",
       DatabaseFault::kLocked},
      {"Contact.cdt", "begin exclusive", "rollback", DatabaseFault::kLocked},
  };
  for (const auto& database : kDatabases) {
    SCOPED_TRACE(database.change);
    DatabaseConnection other;
    ASSERT_EQ(other.Exec(database.change), SQLITE_OK);
    import(database.database, database.fault);
    ASSERT_EQ(other.Exec(database.undo), SQLITE_OK);
  }
}

const std::vector<ExactValue>& ExactValues() {
  static const std::vector<ExactValue> values = [] {
    QString piece = QString::fromUtf8("张三 O'Neil \"q\", x") + QChar(0) + ';';
    QString large;
    while (large.size() < 1024 * 1024) large += piece;
    return std::vector<ExactValue>{
        {"a NUL byte", QString("a") + QChar(0) + "b"},
        {"double quotes", "say \"hi\" \"\""},
        {"apostrophes", "O'Brien's ''x''"},
        {"1 MB", large},
    };
  }();
  return values;
}
