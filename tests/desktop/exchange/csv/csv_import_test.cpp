#include "desktop/exchange/csv/csv_import.h"

#include <QStringConverter>

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/sql_text.h"
#include "tests/desktop/exchange/csv/csv_testing.h"
#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scoped_file_triggers.h"
#include "tests/support/working_folder.h"

namespace {

CsvColumnMap NoColumns() {
  CsvColumnMap columns;
  columns.fill(-1);
  return columns;
}

// Columns 0, 1 and 2 feed First, Middle and Last Name; column 3 feeds Company.
CsvColumnMap NameColumns() {
  CsvColumnMap columns = NoColumns();
  columns[kCsvFirstNameBox] = 0;
  columns[kCsvMiddleNameBox] = 1;
  columns[kCsvLastNameBox] = 2;
  columns[6] = 3;
  return columns;
}

const CsvRow kNameHeader = {"First", "Middle", "Last", "Company"};

QString NameIs(const QString& name) { return "SIM_Name=" + SqlQuote(name); }

class CsvImportTest : public WorkingFolderTest {
 protected:
  void SetUp() override {
    ViewState state;
    ASSERT_TRUE(InitContactDatabase(state));
  }

  // Imports the rows, written as a CSV file with every field quoted.
  static CsvImportOutcome Import(const CsvRows& rows, const CsvColumnMap& columns,
                                 const QString& database = "Contact.cdt") {
    QString csv;
    for (const CsvRow& row : rows) {
      QStringList fields;
      for (QString field : row) fields << '"' + field.replace('"', "\"\"") + '"';
      csv += fields.join(',') + "\r\n";
    }
    WriteFileBytes("in.csv", WideToAnsi(csv));
    return ImportCsvFile("in.csv", columns, database);
  }
};

TEST_F(CsvImportTest, HeaderAloneImportsNothing) {
  EXPECT_EQ(Import({kNameHeader}, NameColumns()), (CsvImportOutcome{0, 0}));
  EXPECT_EQ(Import({}, NameColumns()), (CsvImportOutcome{0, 0}));
  EXPECT_EQ(CountContactRows(), 0);
}

TEST_F(CsvImportTest, ComposesTheNameFromLastFirstAndMiddle) {
  CsvRows rows = {
      kNameHeader, {"John", "Q", "Smith"}, {"", "", "Brown"}, {"Mary", "Ann", ""}, {"Wei"}};
  EXPECT_EQ(Import(rows, NameColumns()), (CsvImportOutcome{4, 0}));
  EXPECT_EQ(CountContactRows(NameIs("Smith,John Q")), 1);
  EXPECT_EQ(CountContactRows(NameIs("Brown,")), 1);
  EXPECT_EQ(CountContactRows(NameIs("Mary Ann")), 1);
  EXPECT_EQ(CountContactRows(NameIs("Wei")), 1);
}

// Each row replaces the contacts of its name stored before the import, phone or SIM, never a row
// of its own file: importing the file again leaves its rows exactly once.
TEST_F(CsvImportTest, RowsOfOneFileNeverReplaceEachOther) {
  InsertContacts({SampleSimContact("Smith,John", "123"), SamplePhoneContact("Mary", "Brown"),
                  SamplePhoneContact("John", "Smith")});
  CsvRows rows = {kNameHeader,
                  {"John", "", "Smith", "First"},
                  {"John", "", "Smith", "Second"},
                  {"Wei", "", "Li", "Other"}};
  const QByteArrayList expected = {"1:Brown,Mary:", "1:Smith,John:First", "1:Smith,John:Second",
                                   "1:Li,Wei:Other"};
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Import(rows, NameColumns()), (CsvImportOutcome{3, 0}));
    EXPECT_EQ(ColumnBytes("ContactType || ':' || SIM_Name || ':' || ifnull(Company, '')"), expected)
        << "pass " << pass;
  }
}

// A nameless row replaces only a stored nameless contact that holds all its values; a row without
// any value (a blank line, or fields all empty) is no contact and is not counted.
TEST_F(CsvImportTest, NamelessRowsReplaceOnlyIdenticalRowsAndBlankRowsAreSkipped) {
  constexpr int kNotesBox = 49;
  CsvColumnMap columns = NameColumns();
  columns[kNotesBox] = 4;
  EXPECT_EQ(Import({kNameHeader, {"", "", "", "Acme", "old"}}, columns), (CsvImportOutcome{1, 0}));
  CsvRows rows = {kNameHeader,
                  {"", "", "", "Acme"},
                  {},
                  {"", "", "", "Acme"},
                  {"", "", "", "Globex"},
                  {"", "", "", ""},
                  {}};
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Import(rows, columns), (CsvImportOutcome{3, 0}));
    EXPECT_EQ(ColumnBytes("Company || ':' || Notes"),
              (QByteArrayList{"Acme:old", "Acme:", "Acme:", "Globex:"}))
        << "pass " << pass;
  }
}

TEST_F(CsvImportTest, ValuesAreStoredExactlyAsRead) {
  CsvRows rows = {kNameHeader,
                  {" Sean ", "", "O'Brien", "Line 1\r\nLine 2"},
                  {"Sean", "", "O'Brien", "it's"},
                  {"Short"}};
  EXPECT_EQ(Import(rows, NameColumns()), (CsvImportOutcome{3, 0}));
  EXPECT_EQ(ColumnValue("Company", NameIs("O'Brien, Sean ")), "Line 1\r\nLine 2");
  EXPECT_EQ(ColumnValue("First_Name", NameIs("O'Brien, Sean ")), " Sean ");
  EXPECT_EQ(ColumnValue("Company", NameIs("O'Brien,Sean")), "it's");
  // Fields of unmapped boxes and of columns the row lacks are empty text, not null.
  EXPECT_EQ(CountContactRows(NameIs("Short") + " and Last_Name='' and Company='' and Notes=''"), 1);
}

TEST_F(CsvImportTest, ValuesAreStoredExactly) {
  for (const ExactValue& exact : ExactValues()) {
    CsvRows rows = {kNameHeader, {exact.text, "", "", exact.text}};
    EXPECT_EQ(Import(rows, NameColumns()), (CsvImportOutcome{1, 0})) << exact.what;
    EXPECT_EQ(Import(rows, NameColumns()), (CsvImportOutcome{1, 0})) << exact.what;
    for (const char* column : {"First_Name", "Company", "SIM_Name"}) {
      EXPECT_EQ(ColumnBytes(column), QByteArrayList{WideToAnsi(exact.text)})
          << exact.what << " " << column;
    }
    DatabaseConnection().Exec("delete from Contact_Table");
  }
}

// A UTF-8 or UTF-16 file, as spreadsheets write it, is stored as the same text.
TEST_F(CsvImportTest, Utf8AndUtf16FilesAreStoredAsTheirText) {
  const QString text =
      QString::fromUtf8("First,Middle,Last,Company\r\nZoë,,Brontë,Café 5€\r\n伟,,张,\r\n");
  using enum QStringConverter::Encoding;
  for (QStringConverter::Encoding encoding : {Utf8, Utf16LE, Utf16BE}) {
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    WriteFileBytes("in.csv", encoding == Utf8 ? text.toUtf8() : QByteArray(encoder(text)));
    EXPECT_EQ(ImportCsvFile("in.csv", NameColumns(), "Contact.cdt"), (CsvImportOutcome{2, 0}));
    // Stored in code page 936, the euro sign as 0x80.
    EXPECT_EQ(ColumnBytes("Company"), QByteArrayList({"Caf\xA8\xA6 5\x80", ""})) << encoding;
    EXPECT_EQ(CountContactRows(NameIs(QString::fromUtf8("张,伟"))), 1);
  }
}

TEST_F(CsvImportTest, DatesTurnMonthDayYearIntoYearMonthDay) {
  struct Case {
    QString text, stored;
  };
  const Case cases[] = {
      {"1/2/2003", "2003-1-2"},
      {"12//25/1980", "1980-12-25"},
      {"7/4", "-7-4"},
      {"0/0/00", ""},
      {"//", ""},
      {"2003-01-02", "2003-01-02"},
      {"00-0-0", ""},
      {"May 5", ""},
      {"", ""},
  };
  CsvColumnMap columns = NoColumns();
  columns[kCsvFirstNameBox] = 0;
  columns[kCsvBirthdayBox] = 1;
  columns[kCsvAnniversaryBox] = 1;
  CsvRows rows = {{"Name", "Date"}};
  for (int i = 0; i < std::ssize(cases); ++i) rows.push_back({QString::number(i), cases[i].text});
  EXPECT_EQ(Import(rows, columns), (CsvImportOutcome{std::ssize(cases), 0}));
  for (int i = 0; i < std::ssize(cases); ++i) {
    EXPECT_EQ(ColumnValue("Birthday", NameIs(QString::number(i))), cases[i].stored)
        << cases[i].text.toStdString();
    EXPECT_EQ(ColumnValue("Anniversary", NameIs(QString::number(i))), cases[i].stored);
  }
}

TEST_F(CsvImportTest, AFailedRowKeepsTheContactItWouldReplace) {
  InsertContacts({SamplePhoneContact("Bad", "Smith", "555")});
  ScopedFileTriggers triggers;
  DatabaseConnection db;
  ASSERT_EQ(db.Exec("create trigger Refuse before insert on Contact_Table when "
                    "new.First_Name='Bad' begin select raise(abort, 'refused'); end"),
            SQLITE_OK);
  CsvRows rows = {kNameHeader, {"Bad", "", "Smith"}, {"Good", "", "Smith"}};
  EXPECT_EQ(Import(rows, NameColumns()), (CsvImportOutcome{1, 1}));
  EXPECT_EQ(ColumnValue("Mobile_Phone", NameIs("Smith,Bad")), "555");
  EXPECT_EQ(CountContactRows(NameIs("Smith,Good")), 1);
}

// A file of many batches: each batch is filled again once stored, and none brings a value of an
// earlier one with it.
TEST_F(CsvImportTest, EveryRowOfManyBatchesKeepsItsOwnValues) {
  CsvRows rows = {kNameHeader};
  for (int i = 0; i < 6000; ++i)
    rows.push_back({"N" + QString::number(i), "", "", i % 2 ? "" : "C"});
  EXPECT_EQ(Import(rows, NameColumns()), (CsvImportOutcome{6000, 0}));
  EXPECT_EQ(CountContactRows("Company='C'"), 3000);
  EXPECT_EQ(CountContactRows("Company='C' and substr(SIM_Name, 2) % 2 = 1"), 0);
}

TEST_F(CsvImportTest, FileThatFailsToReadImportsNothing) {
  EXPECT_EQ(ImportCsvFile("/proc/self/mem", NameColumns(), "Contact.cdt"),
            CsvImportOutcome{.read = CsvReadResult::kNotFound});  // opens, but fails to read

  // A record too large to read, well after the first batch of records has gone in.
  QByteArray csv = "First\r\n";
  for (int i = 0; i < 2000; ++i) csv += "N" + QByteArray::number(i) + "\r\n";
  WriteFileBytes("in.csv", csv + QByteArray(3'000'000, ',') + "\r\nLast\r\n");
  EXPECT_EQ(ImportCsvFile("in.csv", NameColumns(), "Contact.cdt"),
            CsvImportOutcome{.read = CsvReadResult::kTooLarge});
  EXPECT_EQ(CountContactRows(), 0);
}

// A database that cannot take the rows gets none, every row counts as failed, and the import
// says why: one that cannot be opened or is not the program's, one another program is writing or
// reading.
TEST_F(CsvImportTest, DatabaseThatCannotTakeRowsCountsThemAllFailed) {
  InsertContacts({SamplePhoneContact("John", "", "100")});
  const CsvRows rows = {kNameHeader, {"John"}, {"Mary"}};
  ForEachDatabaseThatCannotTakeRecords([&rows](const QString& database, DatabaseFault fault) {
    EXPECT_EQ(Import(rows, NameColumns(), database),
              (CsvImportOutcome{0, 2, CsvReadResult::kRead, fault}));
  });
  EXPECT_EQ(ColumnBytes("Mobile_Phone"), QByteArrayList{"100"});
}

// The database gives the transaction up at the second row: the first is taken back too, and
// nothing after it goes in on its own.
TEST_F(CsvImportTest, AnAbandonedTransactionCountsEveryRowFailed) {
  InsertContacts({SamplePhoneContact("John", "", "100")});
  ScopedFileTriggers triggers;
  ASSERT_EQ(DatabaseConnection().Exec(
                "create trigger Abandon before insert on Contact_Table when "
                "new.First_Name = 'Mary' begin select raise(rollback, 'gone'); end"),
            SQLITE_OK);
  EXPECT_EQ(Import({kNameHeader, {"John"}, {"Mary"}, {"Eve"}}, NameColumns()),
            (CsvImportOutcome{0, 3}));
  EXPECT_EQ(ColumnBytes("Mobile_Phone"), QByteArrayList{"100"});
}

}  // namespace
