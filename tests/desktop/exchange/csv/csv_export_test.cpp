#include "desktop/exchange/csv/csv_export.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "common/text_mode_file.h"
#include "desktop/store/contact_fields.h"
#include "tests/desktop/exchange/csv/csv_testing.h"
#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

const ExportOutcome kWritten{ExportResult::kWritten};

// Quoted fields joined by commas, ended by CR LF as on disk.
QByteArray CsvLine(const QStringList& fields) {
  QStringList quoted;
  for (const QString& field : fields) quoted << "\"" + field + "\"";
  return WideToAnsi(quoted.join(",")) + "\r\n";
}

const QStringList kDefaultHeader = {
    "Title",         "First Name",   "Middle Name",  "Last Name",   "Suffix",      "Nickname",
    "Company",       "Department",   "Job Title",    "File As",     "Work Street", "Work City",
    "Work State",    "Work Zip",     "Work Country", "Home Street", "Home City",   "Home State",
    "Home Zip",      "Home Country", "Other Street", "Other City",  "Other State", "Other Zip",
    "Other Country", "Mobile Phone", "Web Page",     "Email",       "Pager",       "Company Tel",
    "Work Tel",      "Work2 Tel",    "Work Fax",     "Car Tel",     "Home Tel",    "Home2 Tel",
    "Home Fax",      "Spouse",       "Children",     "IM",          "IM2",         "IM3",
    "Email2",        "Email3",       "Radio Tel",    "Office Loc",  "Assistant",   "Assistant Tel",
    "Manager",       "Customer ID",  "Account",      "Gove ID",     "Birthday",    "Anniversary",
    "Notes"};

// The Google header line as it reaches the file.
const QByteArray kGoogleHeaderLine =
    "\"Name Prefix\",\"Given Name\",\"Additional Name\",\"Family Name\",\"Name Suffix\","
    "\"Nickname\",\"Organization 1 - Name\",\"Custom Field 4 - Type\","
    "\"Custom Field 4 - Value\",\"Organization 1 - Title\",\"Address 1 - Type\","
    "\"Address 1 - Formatted\",\"Address 2 - Type\",\"Address 2 - Formatted\","
    "\"Address 3 - Type\",\"Address 3 - Formatted\",\"Phone 1 - Type\","
    "\"Phone 1 - Value\",\"Website 1 - Value\",\"E-mail 1 - Value\",\"Phone 2 - Type\","
    "\"Phone 2 - Value\",\"Phone 3 - Type\",\"Phone 3 - Value\",\"Phone 4 - Type\","
    "\"Phone 4 - Value\",\"Phone 5 - Type\",\"Phone 5 - Value\",\"Phone 6 - Type\","
    "\"Phone 6 - Value\",\"Phone 7 - Type\",\"Phone 7 - Value\",\"Phone 8 - Type\","
    "\"Phone 8 - Value\",\"Phone 9 - Type\",\"Phone 9 - Value\",\"Phone 10 - Type\","
    "\"Phone 10 - Value\",\"Relation 4 - Type\",\"Relation 4 - Value\","
    "\"Relation 3 - Type\",\"Relation 3 - Value\",\"IM 1 - Value\",\"IM 2 - Value\","
    "\"IM 3 - Value\",\"E-mail 2 - Value\",\"E-mail 3 - Value\",\"Phone 11 - Type\","
    "\"Phone 11 - Value\",\"Custom Field 1 - Type\",\"Custom Field 1 - Value\","
    "\"Relation 2 - Type\",\"Relation 2 - Value\",\"Phone 12 - Type\","
    "\"Phone 12 - Value\",\"Relation 1 - Type\",\"Relation 1 - Value\","
    "\"Custom Field 2 - Type\",\"Custom Field 2 - Value\",\"Custom Field 5 - Type\","
    "\"Custom Field 5 - Value\",\"Custom Field 3 - Type\",\"Custom Field 3 - Value\","
    "\"Birthday\",\"Event 1 - Type\",\"Event 1 - Value\",\"Notes\"\r\n";

// The database columns of the common layouts, in their order.
const QStringList kCommonColumns = {
    "Title",         "First_Name",   "Middle_Name",  "Last_Name",   "Suffix",      "Nick_Name",
    "Company",       "Department",   "Job_Title",    "File_As",     "Work_Street", "Work_City",
    "Work_State",    "Work_Zip",     "Work_Country", "Home_Street", "Home_City",   "Home_State",
    "Home_Zip",      "Home_Country", "Other_Street", "Other_City",  "Other_State", "Other_Zip",
    "Other_Country", "Mobile_Phone", "Web_Page",     "E_Mail",      "Pager",       "Company_Tel",
    "Work_Tel",      "Work_Tel2",    "Work_Fax",     "Car_Tel",     "Home_Tel",    "Home_Tel2",
    "Home_Fax",      "Spouse",       "Children",     "IM",          "IM2",         "IM3",
    "E_Mail2",       "E_Mail3",      "Radio_Tel",    "Office_Loc",  "Assistant",   "Assistant_Tel",
    "Manager",       "Customer_ID",  "Account",      "Gove_ID",     "Birthday",    "Anniversary",
    "Notes"};

// A phone contact whose every exported column holds its own name, and the bookkeeping columns
// values that must not appear.
SampleContact EveryColumnNamed() {
  SampleContact contact;
  for (const QString& column : kCommonColumns) contact.Set(column, column);
  contact.Set("ContactType", "1").Set("SIM_Name", "sim").Set("Categories", "cat");
  contact.Set("Ring_Tone", "ring.wav");
  return contact;
}

class CsvExportTest : public WorkingFolderTest {
 protected:
  QByteArray CommonExport(const std::vector<SampleContact>& contacts,
                          const ColumnConfigFile& names = DefaultCsvColumns()) {
    InsertContacts(contacts);
    EXPECT_EQ(WriteCommonCsvRows("out.csv", names), kWritten);
    return ReadFileBytes("out.csv");
  }
  QByteArray GoogleExport(const std::vector<SampleContact>& contacts) {
    InsertContacts(contacts);
    EXPECT_EQ(WriteGoogleCsvRows("out.csv"), kWritten);
    return ReadFileBytes("out.csv");
  }
};

TEST_F(CsvExportTest, BuiltInHeadersInTableColumnOrder) {
  EXPECT_EQ(ToTextModeBytes(BuildCommonCsvHeader(DefaultCsvColumns())), CsvLine(kDefaultHeader));
  // Outlook names the same columns, some of them otherwise.
  QStringList outlook = BuildCommonCsvHeader(OutlookCsvColumns()).split(",");
  EXPECT_EQ(outlook[0], "\"Title\"");
  EXPECT_EQ(outlook[10], "\"Business Street\"");
  EXPECT_EQ(outlook[27], "\"E-mail Address\"");
  EXPECT_EQ(outlook[51], "\"Government ID Number\"");
  EXPECT_EQ(outlook[54], "\"Notes\"\n");
  QString google = BuildGoogleCsvHeader();
  EXPECT_TRUE(google.startsWith("\"Name Prefix\",\"Given Name\","));
  EXPECT_TRUE(google.endsWith("\"Notes\"\n"));
  EXPECT_EQ(ToTextModeBytes(google), kGoogleHeaderLine);
  EXPECT_EQ(kGoogleHeaderLine.count("\",\""), 66);  // 67 columns
}

TEST_F(CsvExportTest, CommonRowWritesTheFiftyFiveColumnsWhateverTheNames) {
  ColumnConfigFile names;  // all empty: the header is empty names, the data is still written
  QByteArray file = CommonExport({EveryColumnNamed()}, names);
  EXPECT_EQ(file, CsvLine(QStringList(55, QString())) + CsvLine(kCommonColumns));
}

TEST_F(CsvExportTest, EditedNamesGoIntoTheHeaderByTheirCanonicalLine) {
  ColumnConfigFile names = DefaultCsvColumns();
  names.names[0] = "Vorname";       // line 1: First_Name, the second column
  names.names[3] = "Anrede";        // line 4: Title, the first column
  names.names[12] = "Mail, \"1\"";  // line 13: E_Mail; quotes doubled, the comma kept inside
  QByteArray header = CommonExport({SamplePhoneContact("Ann", "Lee")}, names).split('\n')[0];
  QStringList expected = kDefaultHeader;
  expected[1] = "Vorname";
  expected[0] = "Anrede";
  expected[27] = "Mail, \"\"1\"\"";
  EXPECT_EQ(header + "\n", CsvLine(expected));
}

TEST_F(CsvExportTest, SimContactsFollowPhoneContactsWithTheirThreeFields) {
  QByteArray file =
      CommonExport({SampleSimContact("Bob", "139"), SamplePhoneContact("Ann", "Lee", "138")});
  QList<QByteArray> lines = file.split('\n');
  ASSERT_EQ(lines.size(), 4);  // header, two rows, nothing after the last line end
  QStringList phone(55), sim(55);
  phone[1] = "Ann", phone[3] = "Lee", phone[25] = "138";
  sim[1] = "Bob", sim[9] = "Bob", sim[25] = "139";
  EXPECT_EQ(lines[1] + "\n", CsvLine(phone));
  EXPECT_EQ(lines[2] + "\n", CsvLine(sim));
}

TEST_F(CsvExportTest, ValuesKeepSeparatorsQuotesAndLineBreaksInsideTheirField) {
  SampleContact contact = SamplePhoneContact("Ann", "Lee");
  contact.Set("Company", "Smith, \"Jones\" & Co");
  contact.Set("Notes", QString::fromUtf8("line1\r\nline2\nline3\rline4 张伟"));
  QByteArray row = CommonExport({contact}).mid(CsvLine(kDefaultHeader).size());
  EXPECT_TRUE(row.contains("\"Smith, \"\"Jones\"\" & Co\"")) << row.constData();
  // Every line break reaches the file as one CR LF; text is code page 936.
  EXPECT_TRUE(
      row.endsWith(WideToAnsi(QString::fromUtf8("\"line1\r\nline2\r\nline3\r\nline4 张伟\"\r\n"))))
      << row.constData();
}

TEST_F(CsvExportTest, TheCsvReaderReadsBackEveryNameAndValue) {
  ColumnConfigFile names = DefaultCsvColumns();
  names.names[6] = "Firm, \"Inc\"";  // Company
  // Not "伟" alone: its code page 936 bytes CE B0 are valid UTF-8 too, and a file whose only
  // text beyond ASCII is valid UTF-8 is read as UTF-8.
  SampleContact contact = SamplePhoneContact(QString::fromUtf8("张伟"), "Lee");
  contact.Set("Company", "\"A\", B").Set("Notes", "x\r\ny\nz\rw").Set("Home_City", "\"");
  CommonExport({contact}, names);
  CsvRows rows = ReadCsvRows("out.csv");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][6], "Firm, \"Inc\"");
  ASSERT_EQ(rows[1].size(), 55);
  EXPECT_EQ(rows[1][1], QString::fromUtf8("张伟"));
  EXPECT_EQ(rows[1][6], "\"A\", B");
  EXPECT_EQ(rows[1][16], "\"");
  EXPECT_EQ(rows[1][54], "x\r\ny\r\nz\r\nw");  // each line break as the reader keeps them
}

TEST_F(CsvExportTest, GoogleRowOfAPhoneContact) {
  SampleContact contact = EveryColumnNamed();
  contact.Set("Work_Street", "12 Oak Rd").Set("Work_City", "Leeds").Set("Work_State", "");
  contact.Set("Work_Zip", "LS1").Set("Work_Country", "UK");
  for (const char* part : {"Street", "City", "State", "Zip", "Country"}) {
    contact.Set(QString("Home_") + part, "");
  }
  contact.Set("Other_State", "Yorks \"N\"");
  QByteArray file = GoogleExport({contact});
  QByteArray row =
      "\"Title\",\"First_Name\",\"Middle_Name\",\"Last_Name\",\"Suffix\",\"Nick_Name\","
      "\"Company\",\"Department\",\"Department\",\"Job_Title\",\"Work\","
      "\"12 Oak Rd Leeds ,LS1 UK \",\"Home\",\"\",\"Other\","
      "\"Other_Street Other_City ,Yorks \"\"N\"\" Other_Zip Other_Country \",\"Main\","
      "\"Mobile_Phone\",\"Web_Page\",\"E_Mail\",\"Pager\",\"Pager\",\"Company Main\","
      "\"Company_Tel\",\"Work\",\"Work_Tel\",\"Work\",\"Work_Tel2\",\"Work Fax\","
      "\"Work_Fax\",\"Car\",\"Car_Tel\",\"Home\",\"Home_Tel\",\"Home\",\"Home_Tel2\","
      "\"Home Fax\",\"Home_Fax\",\"Spouse\",\"Spouse\",\"Child\",\"Children\",\"IM\","
      "\"IM2\",\"IM3\",\"E_Mail2\",\"E_Mail3\",\"Radio\",\"Radio_Tel\",\"Office Loc\","
      "\"Office_Loc\",\"Assistant\",\"Assistant\",\"Assistant\",\"Assistant_Tel\","
      "\"Manager\",\"Manager\",\"Customer's ID\",\"Customer_ID\",\"Account\","
      "\"Account\",\"Gove.ID\",\"Gove_ID\",\"Birthday\",\"Anniversary\","
      "\"Anniversary\",\"Notes\"\r\n";
  EXPECT_EQ(file, kGoogleHeaderLine + row);
}

TEST_F(CsvExportTest, GoogleRowOfASimContactHasNoAddressesButEveryLabel) {
  QByteArray file = GoogleExport({SampleSimContact("Bob", "139")});
  QStringList row(67);
  row[1] = "Bob";
  row[17] = "139";
  QStringList labels = {"Department", "Main",       "Pager",   "Company Main",  "Work",
                        "Work",       "Work Fax",   "Car",     "Home",          "Home",
                        "Home Fax",   "Spouse",     "Child",   "Radio",         "Office Loc",
                        "Assistant",  "Assistant",  "Manager", "Customer's ID", "Account",
                        "Gove.ID",    "Anniversary"};
  // The fixed type labels, by their position.
  const int positions[] = {7,  16, 20, 22, 24, 26, 28, 30, 32, 34, 36,
                           38, 40, 47, 49, 51, 53, 55, 57, 59, 61, 64};
  for (int i = 0; i < labels.size(); ++i) row[positions[i]] = labels[i];
  EXPECT_EQ(file, kGoogleHeaderLine + CsvLine(row));
}

TEST_F(CsvExportTest, NothingIsWrittenWithoutRecords) {
  InsertContacts({});
  const ExportOutcome noRecords{ExportResult::kNoRecords};
  EXPECT_EQ(WriteCommonCsvRows("out.csv", DefaultCsvColumns()), noRecords);
  EXPECT_EQ(WriteGoogleCsvRows("out.csv"), noRecords);
  EXPECT_FALSE(QFile::exists("out.csv"));
}

TEST_F(CsvExportTest, AFileThatCannotBeCreatedIsReported) {
  InsertContacts({SamplePhoneContact("Ann", "Lee")});
  QString path = QDir::current().filePath("missing/out.csv");
  EXPECT_EQ(WriteGoogleCsvRows(path), ExportOutcome{ExportResult::kCannotCreate});
  EXPECT_FALSE(QFile::exists(path));
}

// A database that cannot be read says so, never that it holds no records.
TEST_F(CsvExportTest, UnreadableOrLockedRowsFailAndLeaveAnOlderFileAlone) {
  InsertContactsWithOneDamaged(3, 1);  // the read fails after two rows are written
  WriteFileBytes("out.csv", "older export");
  const ExportOutcome unreadable{ExportResult::kDatabaseFault, DatabaseFault::kCannotRead};
  EXPECT_EQ(WriteCommonCsvRows("out.csv", DefaultCsvColumns()), unreadable);
  EXPECT_EQ(WriteGoogleCsvRows("out.csv"), unreadable);
  DatabaseConnection other;
  ASSERT_EQ(other.Exec("begin exclusive"), SQLITE_OK);
  const ExportOutcome locked{ExportResult::kDatabaseFault, DatabaseFault::kLocked};
  EXPECT_EQ(WriteCommonCsvRows("out.csv", DefaultCsvColumns()), locked);
  EXPECT_EQ(WriteGoogleCsvRows("out.csv"), locked);
  EXPECT_EQ(ReadFileBytes("out.csv"), "older export");
  EXPECT_EQ(QDir::current().entryList(QDir::Files | QDir::Hidden).size(), 2);  // no leftovers
}

TEST_F(CsvExportTest, ASecondExportReplacesTheFirst) {
  InsertContacts({SamplePhoneContact("Ann", "Lee")});
  ASSERT_EQ(WriteGoogleCsvRows("out.csv"), kWritten);
  ASSERT_EQ(WriteCommonCsvRows("out.csv", DefaultCsvColumns()), kWritten);
  EXPECT_EQ(ReadFileBytes("out.csv").count('\n'), 2);
  EXPECT_TRUE(ReadFileBytes("out.csv").startsWith(CsvLine(kDefaultHeader)));
}

}  // namespace
