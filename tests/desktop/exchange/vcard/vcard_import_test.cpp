#include "desktop/exchange/vcard/vcard_import.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "desktop/exchange/vcard/vcard_export.h"
#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/exchange/vcard/vcard_text.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/contact_fields.h"
#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scoped_file_triggers.h"
#include "tests/support/working_folder.h"

namespace {

VCardImportOutcome Stored(int stored, int failed = 0) { return {stored, failed}; }

// The rows of Contact_Table by composed name, each with the columns the vCard export writes.
std::vector<std::map<std::string, std::string>> ExportedColumnsOfRows() {
  DatabaseConnection db;
  SqlStatement rows(db, "select * from Contact_Table order by SIM_Name");
  std::vector<std::map<std::string, std::string>> result;
  while (rows.Step() == SQLITE_ROW) {
    auto& row = result.emplace_back();
    for (int column = 0; column < kContactColumnCount; ++column) {
      if (column == kColumnId || column == kColumnCategories || column == kColumnRingTone ||
          column == kColumnPicture || column == kColumnHasPic) {
        continue;
      }
      row[kContactColumns[column]] = rows.ColumnText(column).toStdString();
    }
  }
  return result;
}

class VCardImportTest : public WorkingFolderTest {
 protected:
  void SetUp() override {
    ViewState state;
    ASSERT_TRUE(InitContactDatabase(state));
  }

  static VCardImportOutcome Import(const QByteArray& file,
                                   const QString& database = "Contact.cdt") {
    WriteFileBytes("in.vcf", file);
    return ImportVCard("in.vcf", database);
  }

  static QByteArray Card(const QByteArray& name, const QByteArray& lines = {}) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:x\r\nN:" + name + "\r\n" + lines + "END:VCARD\r\n";
  }
};

TEST_F(VCardImportTest, EachCardBecomesAPhoneContact) {
  EXPECT_EQ(Import(Card("Smith;John;Q;Dr;Jr",
                        "TEL;TYPE=CELL:100\r\nitem1.TEL:555\r\nitem1.X-ABLabel:COMPANY_MAIN\r\n"
                        "ADR;TYPE=HOME:PO 5;;1 Main St;Springfield;IL;62701;USA\r\n"
                        "BDAY:1990-01-02T00:00:00Z\r\nNOTE:hi\r\n") +
                   Card(";Mary;;;")),
            Stored(2));
  EXPECT_EQ(CountContactRows(), 2);
  const std::pair<QString, QString> johnsColumns[] = {
      {"ContactType", "1"},
      {"File_As", "Smith,John Q"},
      {"Title", "Dr"},
      {"Suffix", "Jr"},
      {"Mobile_Phone", "100"},
      {"Company_Tel", "555"},
      {"Home_City", "Springfield"},
      {"Home_Country", "USA"},
      {"Birthday", "1990-01-02T00:00:00Z"},
      {"Notes", "hi\r\nHomeAddress:PO 5 "},
      {"Department", ""},
      {"hasPic", "0"},
      {"Categories", ""},
  };
  for (const auto& [column, value] : johnsColumns) {
    EXPECT_EQ(ColumnValue(column, "SIM_Name='Smith,John Q'"), value) << column.toStdString();
  }
  EXPECT_EQ(CountContactRows("SIM_Name='Mary' and File_As='Mary'"), 1);
}

TEST_F(VCardImportTest, WhatTheExportWritesComesBackWithoutLoss) {
  auto text = [](const QString& field) {
    return QString::fromUtf8("张伟 ") + field + " , ; \\ \" : \\n\r\nnext";
  };
  SampleContact full;
  for (const ContactField& field : kContactFields) full.Set(field.column, text(field.column));
  full.Set("ContactType", "1").Set("Birthday", "1980-05-07");
  full.Set("Anniversary", "2001-06-01");
  full.Set("SIM_Name",
           ComposedContactName(text("First_Name"), text("Middle_Name"), text("Last_Name")));
  SampleContact plain = SamplePhoneContact("Ann", "Lee").Set("File_As", "Lee,Ann");
  plain.Set("Notes", "ends with a line break\r\n");
  // Notes that look like the lines the export appends to them.
  SampleContact account = SamplePhoneContact("Meg", "Ray").Set("File_As", "Ray,Meg");
  account.Set("Notes", "Meeting notes\r\n\r\nAccount:5");
  SampleContact fileAs = SamplePhoneContact("Tod", "Oak").Set("File_As", "Oak,Tod");
  fileAs.Set("Notes", "todo\r\n\r\nFile As:boss").Set("Department", "d");
  InsertContacts({full, plain, account, fileAs});
  auto before = ExportedColumnsOfRows();
  ASSERT_EQ(WriteVCardFile("first.vcf").result, ExportResult::kWritten);

  DatabaseConnection().Exec("delete from Contact_Table");
  EXPECT_EQ(ImportVCard("first.vcf", "Contact.cdt"), Stored(4));
  EXPECT_EQ(ExportedColumnsOfRows(), before);
  ASSERT_EQ(WriteVCardFile("second.vcf").result, ExportResult::kWritten);
  EXPECT_EQ(ReadFileBytes("second.vcf"), ReadFileBytes("first.vcf"));
}

// Each card replaces the contacts of its name stored before the import, never a card of its own
// file: importing the file again leaves its cards exactly once.
TEST_F(VCardImportTest, CardsOfOneFileNeverReplaceEachOther) {
  InsertContacts({SampleSimContact("Smith,John", "999"), SamplePhoneContact("Ann", "Lee"),
                  SamplePhoneContact("John", "Smith", "998")});
  QByteArray file =
      Card("Smith;John", "TEL;TYPE=CELL:100\r\n") + Card("Smith;John;;;", "TEL;TYPE=CELL:101\r\n");
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Import(file), Stored(2));
    EXPECT_EQ(ColumnBytes("SIM_Name || ':' || ifnull(Mobile_Phone, '')"),
              (QByteArrayList{"Lee,Ann:", "Smith,John:100", "Smith,John:101"}))
        << "pass " << pass;
  }
}

TEST_F(VCardImportTest, QuotesInValuesAreStoredAsTheyAre) {
  // A stored contact whose SIM_Name equals its Notes: a name written as "Notes" between double
  // quotes would have compared the two columns and deleted it.
  InsertContacts({SamplePhoneContact("same", "").Set("Notes", "same")});
  EXPECT_EQ(Import(Card("O'Brien;\"Jim\"", "ORG:It's \"ours\"\r\n") + Card(";Notes")), Stored(2));
  EXPECT_EQ(ColumnValue("Company", "Last_Name='O''Brien'"), "It's \"ours\"");
  EXPECT_EQ(ColumnValue("SIM_Name", "Last_Name='O''Brien'"), "O'Brien,\"Jim\"");
  EXPECT_EQ(CountContactRows(), 3);
}

TEST_F(VCardImportTest, ValuesAreStoredExactly) {
  for (const ExactValue& exact : ExactValues()) {
    QByteArray value = WideToAnsi(EscapedVCardText(exact.text));
    QByteArray file = Card(";" + value, "ORG:" + value + "\r\n");
    EXPECT_EQ(Import(file), Stored(1)) << exact.what;
    EXPECT_EQ(Import(file), Stored(1)) << exact.what;  // replaces the contact of that name
    for (const char* column : {"First_Name", "Company", "SIM_Name"}) {
      EXPECT_EQ(ColumnBytes(column), QByteArrayList{WideToAnsi(exact.text)})
          << exact.what << " " << column;
    }
    DatabaseConnection().Exec("delete from Contact_Table");
  }
}

// A nameless card replaces only a stored nameless contact that holds all its values; a card
// without any value is no contact and is not counted.
TEST_F(VCardImportTest, NamelessCardsReplaceOnlyIdenticalRowsAndBlankCardsAreSkipped) {
  EXPECT_EQ(Import(Card(";;;;", "ORG:One\r\nTITLE:old\r\n")), Stored(1));
  QByteArray file = Card(";;;;", "ORG:One\r\n") + Card(";;;;") + Card(";;;;", "ORG:One\r\n") +
                    Card("", "ORG:Two\r\n") + Card("");
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Import(file), Stored(3));
    EXPECT_EQ(ColumnBytes("Company || ':' || Job_Title"),
              (QByteArrayList{"One:old", "One:", "One:", "Two:"}))
        << "pass " << pass;
  }
}

// The database gives the transaction up in the middle of the file (as on a full disk): the cards
// before are taken back with it, so none counts as stored.
TEST_F(VCardImportTest, AnAbandonedTransactionCountsNoCardAsStored) {
  InsertContacts({SamplePhoneContact("John", "Smith", "100")});
  ScopedFileTriggers triggers;
  DatabaseConnection db;
  ASSERT_EQ(db.Exec("create trigger Abandon before insert on Contact_Table when "
                    "new.First_Name = 'Crash' begin select raise(rollback, 'gone'); end"),
            SQLITE_OK);
  EXPECT_EQ(Import(Card("Smith;John") + Card("Lee;Ann") + Card(";Crash") + Card("Doe;Eve")),
            Stored(0, 4));
  EXPECT_EQ(ColumnBytes("SIM_Name || ':' || Mobile_Phone"), QByteArrayList{"Smith,John:100"});
}

TEST_F(VCardImportTest, RefusedCardKeepsTheOldContactAndIsCounted) {
  InsertContacts({SamplePhoneContact("Bad", "Smith", "100")});
  ScopedFileTriggers triggers;
  DatabaseConnection db;
  ASSERT_EQ(db.Exec("create trigger refuse before insert on Contact_Table "
                    "when new.First_Name = 'Bad' begin select raise(abort, 'refused'); end"),
            SQLITE_OK);
  EXPECT_EQ(Import(Card("Smith;Bad", "TEL;TYPE=CELL:200\r\n") + Card("Doe;Eve")), Stored(1, 1));
  EXPECT_EQ(ColumnValue("Mobile_Phone", "SIM_Name='Smith,Bad'"), "100");
  EXPECT_EQ(CountContactRows("SIM_Name='Doe,Eve'"), 1);
}

// A database that cannot take the cards gets none, every card counts as failed, and the import
// says why: one that cannot be opened or is not the program's, one another program is writing or
// reading.
TEST_F(VCardImportTest, DatabaseThatCannotTakeTheCards) {
  InsertContacts({SamplePhoneContact("John", "Smith", "100")});
  const QByteArray file = Card("Smith;John", "TEL;TYPE=CELL:200\r\n") + Card("B") + Card("C");
  ForEachDatabaseThatCannotTakeRecords([&file](const QString& database, DatabaseFault fault) {
    EXPECT_EQ(Import(file, database), (VCardImportOutcome{0, 3, VCardImportResult::kRead, fault}));
  });
  EXPECT_EQ(ColumnBytes("Mobile_Phone"), QByteArrayList{"100"});
}

TEST_F(VCardImportTest, FilesWithoutCards) {
  EXPECT_EQ(Import(""), Stored(0));
  EXPECT_EQ(Import("VERSION:3.0\r\nN:Smith\r\n"), Stored(0));
  EXPECT_EQ(CountContactRows(), 0);
}

TEST_F(VCardImportTest, MissingFileDoesNothing) {
  const VCardImportOutcome notFound{.result = VCardImportResult::kNotFound};
  EXPECT_EQ(ImportVCard("missing.vcf", "Contact.cdt"), notFound);
  EXPECT_EQ(ImportVCard("", "Contact.cdt"), notFound);
}

// A card over the bound stops the import; the cards before it are not kept either.
TEST_F(VCardImportTest, FilesThatCannotBeReadAreRefusedWhole) {
  InsertContacts({SamplePhoneContact("John", "Smith", "100")});
  {
    QFile huge("huge.vcf");
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.write(Card("Smith;John", "TEL;TYPE=CELL:200\r\n") + Card("Lee;Ann") +
                           "BEGIN:VCARD\r\nNOTE:") > 0);
    ASSERT_TRUE(huge.resize(huge.size() + kMaxVCardCardBytes));  // sparse: no room on the disk
  }
  EXPECT_EQ(ImportVCard("huge.vcf", "Contact.cdt"),
            VCardImportOutcome{.result = VCardImportResult::kTooLarge});
  ASSERT_TRUE(QDir().mkdir("folder.vcf"));
  const VCardImportOutcome unreadable{.result = VCardImportResult::kUnreadable};
  EXPECT_EQ(ImportVCard("folder.vcf", "Contact.cdt"), unreadable);
  EXPECT_EQ(ImportVCard("/proc/self/mem", "Contact.cdt"), unreadable);  // opens, fails to read
  EXPECT_EQ(CountContactRows(), 1);
  EXPECT_EQ(ColumnValue("Mobile_Phone", "SIM_Name='Smith,John'"), "100");
}

}  // namespace
