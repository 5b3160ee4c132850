// An import killed part-way leaves the database whole, holding either what it held before or what
// the completed import leaves: never part of an import.
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string_view>

#include <gtest/gtest.h>

#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/exchange/csv/csv_import.h"
#include "desktop/exchange/csv/csv_reader.h"
#include "desktop/store/database_connection.h"
#include "tests/support/backup_file_builder.h"
#include "tests/support/kill_part_way.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

// Enough contacts, each with 16 KB of picture or notes, that the import must write rows into the
// database file long before it commits: SQLite's page cache (2 MB) cannot hold them all.
constexpr int kImportedContacts = 400;
const QByteArray kBulk(16 * 1024, 'p');

struct TableState {
  qint64 rows = 0;
  QByteArray digest;  // of every value of every row, in ID order
  bool operator==(const TableState&) const = default;
};

void PrintTo(const TableState& state, std::ostream* os) {
  *os << state.rows << " rows, digest " << state.digest.toHex().toStdString();
}

TableState ReadTable(const QString& database) {
  DatabaseConnection db(database);
  sqlite3_stmt* rows = nullptr;
  sqlite3_prepare_v2(db.Handle(), "select * from Contact_Table order by ID", -1, &rows, nullptr);
  TableState state;
  QCryptographicHash hash(QCryptographicHash::Sha256);
  while (sqlite3_step(rows) == SQLITE_ROW) {
    ++state.rows;
    for (int column = 0; column < sqlite3_column_count(rows); ++column) {
      const auto* value = static_cast<const char*>(sqlite3_column_blob(rows, column));
      const int size = sqlite3_column_bytes(rows, column);
      hash.addData(QByteArray::number(sqlite3_column_type(rows, column)) + ':' +
                   QByteArray::number(size) + ':' + QByteArray(value, size));
    }
  }
  sqlite3_finalize(rows);
  state.digest = hash.result();
  return state;
}

QString IntegrityCheck(const QString& database) {
  DatabaseConnection db(database);
  SqlStatement check(db, "pragma integrity_check");
  return check.Step() == SQLITE_ROW ? check.ColumnText(0) : db.ErrorText();
}

// The CSV import's box that fills a column of the table.
int BoxOf(std::string_view column) {
  return std::find(kCsvImportBoxColumns.begin(), kCsvImportBoxColumns.end(), column) -
         kCsvImportBoxColumns.begin();
}

class ImportCrashTest : public WorkingFolderTest {
 protected:
  // Three contacts, which the import replaces by name, and a copy to run the import on whole.
  void SetUp() override {
    InsertNumberedContacts(3);
    ASSERT_TRUE(QFile::copy(kContactDatabaseFile, "whole.cdt"));
    before_ = ReadTable(kContactDatabaseFile);
  }

  void ExpectBeforeOrAfter(const std::function<void(const QString& database)>& import) {
    // Killed once the file has grown by 1 MB: rows are in the file by then, while the import
    // goes on.
    const qint64 killAtSize = QFileInfo(kContactDatabaseFile).size() + 1024 * 1024;
    EXPECT_TRUE(
        KillPartWay([&] { import(kContactDatabaseFile); },
                    [&](pid_t) { return QFileInfo(kContactDatabaseFile).size() >= killAtSize; }))
        << "the import ended before the kill";
    EXPECT_EQ(IntegrityCheck(kContactDatabaseFile), "ok");
    const TableState state = ReadTable(kContactDatabaseFile);
    if (state == before_) return;
    import("whole.cdt");
    EXPECT_EQ(state, ReadTable("whole.cdt"));
  }

  static QString Name(int i, const char* part) { return QString("%1%2").arg(part).arg(i); }

  TableState before_;
};

TEST_F(ImportCrashTest, AKilledBackupImportLeavesTheDatabaseWhole) {
  BackupFileBuilder file;
  for (int i = 0; i < kImportedContacts; ++i) {
    file.AddPhone({{backup_item::kFirstName, Name(i, "First").toLatin1()},
                   {backup_item::kLastName, Name(i, "Last").toLatin1()}},
                  {}, {}, kBulk);
  }
  WriteFileBytes("large.cbk", file.Bytes());
  ExpectBeforeOrAfter(
      [](const QString& database) { ImportContactsBackup("large.cbk", database, nullptr); });
}

TEST_F(ImportCrashTest, AKilledCsvImportLeavesTheDatabaseWhole) {
  QByteArray csv = "First,Last,Notes\r\n";
  for (int i = 0; i < kImportedContacts; ++i) {
    csv += Name(i, "First").toLatin1() + ',' + Name(i, "Last").toLatin1() + ',' + kBulk + "\r\n";
  }
  WriteFileBytes("large.csv", csv);
  CsvColumnMap columns;
  columns.fill(-1);
  columns[kCsvFirstNameBox] = 0;
  columns[kCsvLastNameBox] = 1;
  columns[BoxOf("Notes")] = 2;
  ExpectBeforeOrAfter(
      [&](const QString& database) { ImportCsvFile("large.csv", columns, database); });
}

}  // namespace
