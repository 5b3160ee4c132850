#include "desktop/exchange/text/contacts_text_export.h"

#include <QDir>

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "desktop/store/database_connection.h"
#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

const QByteArray kSeparator = QByteArray(44, '-') + "\r\n";

// The lines, each ended by CR LF, and the separator.
QByteArray Block(const std::vector<QByteArray>& lines) {
  QByteArray block;
  for (const QByteArray& line : lines) block += line + "\r\n";
  return block + kSeparator;
}

SampleContact Phone(const std::map<QString, QString>& columns) {
  SampleContact contact;
  contact.Set("ContactType", "1");
  for (const auto& [column, value] : columns) contact.Set(column, value);
  return contact;
}

class ContactsTextExportTest : public WorkingFolderTest {
 protected:
  // Exports the contacts of a fresh table and returns the file's bytes.
  QByteArray ExportOf(const std::vector<SampleContact>& contacts) {
    DatabaseConnection("Contact.cdt").Exec("delete from Contact_Table");
    InsertContacts(contacts);
    EXPECT_EQ(ExportContactsText("out.txt", "Contact.cdt", nullptr),
              ExportOutcome{ExportResult::kWritten});
    return ReadFileBytes("out.txt");
  }
};

TEST_F(ContactsTextExportTest, PhoneContactsFirstThenSimContacts) {
  QByteArray text = ExportOf({SampleSimContact("Ann", ""), Phone({{"Company", "Acme"}})});
  EXPECT_EQ(text, Block({"Company:Acme"}) + Block({"SIM_Name:Ann", "SIM_Mobile tel:"}));
}

TEST_F(ContactsTextExportTest, NameLineVariants) {
  struct Case {
    std::map<QString, QString> columns;
    QByteArray line;  // empty: no name line
  } cases[] = {
      {{{"First_Name", "John"},
        {"Middle_Name", "Q"},
        {"Last_Name", "Public"},
        {"Nick_Name", "Johnny"},
        {"Suffix", "Jr"}},
       "Name:John Q Public \"Johnny\" Jr"},
      {{{"Nick_Name", "Johnny"}}, "Name:\"Johnny\""},
      {{{"First_Name", "John"}, {"Suffix", "Jr"}}, "Name:John Jr"},
      {{{"Last_Name", "Public"}, {"Nick_Name", "J"}}, "Name:Public \"J\""},
      {{{"Suffix", "III"}}, "Name:III"},
      {{{"Title", "Dr"}, {"File_As", "x"}, {"Ring_Tone", "r.wav"}}, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExportOf({Phone(c.columns)}), c.line.isEmpty() ? kSeparator : Block({c.line}));
  }
}

TEST_F(ContactsTextExportTest, AddressLinesSplitAndIndent) {
  EXPECT_EQ(ExportOf({Phone({{"Work_Country", "USA"}})}), Block({"Work addr:USA"}));
  EXPECT_EQ(ExportOf({Phone({{"Work_City", "Springfield"}, {"Work_Country", "USA"}})}),
            Block({"Work addr:Springfield", "          USA"}));
  EXPECT_EQ(ExportOf({Phone({{"Home_Street", "1 Main St"},
                             {"Home_City", "Springfield"},
                             {"Home_State", "IL"},
                             {"Home_Zip", "62701"},
                             {"Home_Country", "USA"}})}),
            Block({"Home addr:1 Main St", "          Springfield  IL  62701", "          USA"}));
  EXPECT_EQ(ExportOf({Phone({{"Other_State", "IL"}, {"Other_Country", "USA"}})}),
            Block({"Other addr:IL", "           USA"}));
}

TEST_F(ContactsTextExportTest, EveryLabelInItsOrder) {
  const char* const labelled[][2] = {
      {"Company:", "Company"},
      {"Department:", "Department"},
      {"Job title:", "Job_Title"},
      {"Work tel:", "Work_Tel"},
      {"Work fax:", "Work_Fax"},
      {"Work addr:", "Work_Street"},
      {"IM:", "IM"},
      {"E-mail:", "E_Mail"},
      {"Mobile tel:", "Mobile_Phone"},
      {"Web page:", "Web_Page"},
      {"Office loc:", "Office_Loc"},
      {"Home tel:", "Home_Tel"},
      {"Home addr:", "Home_Street"},
      {"Other addr:", "Other_Street"},
      {"Pager:", "Pager"},
      {"Car tel:", "Car_Tel"},
      {"Home fax:", "Home_Fax"},
      {"Company tel:", "Company_Tel"},
      {"Work2 tel:", "Work_Tel2"},
      {"Home2 tel:", "Home_Tel2"},
      {"Radio tel:", "Radio_Tel"},
      {"IM2:", "IM2"},
      {"IM3:", "IM3"},
      {"E-mail2:", "E_Mail2"},
      {"E-mail3:", "E_Mail3"},
      {"Assistant:", "Assistant"},
      {"Assistant tel:", "Assistant_Tel"},
      {"Manager:", "Manager"},
      {"Govt.ID:", "Gove_ID"},
      {"Account:", "Account"},
      {"Customer ID:", "Customer_ID"},
  };
  std::map<QString, QString> columns = {
      {"First_Name", "Ann"}, {"Birthday", "1980-5-7"}, {"Anniversary", "1980-12-25"},
      {"Spouse", "Bo"},      {"Children", "Cy"},       {"Notes", "a\r\nb"}};
  std::vector<QByteArray> lines = {"Name:Ann"};
  for (const auto& [label, column] : labelled) {
    columns[column] = QString(column).toLower();
    lines.push_back(QByteArray(label) + QByteArray(column).toLower());
  }
  lines.insert(lines.end(), {"Birthday:5/7/1980", "Anniversary:12/25/1980", "Spouse:Bo",
                             "Children:Cy", "Notes:(As follows)", "a", "b"});
  EXPECT_EQ(ExportOf({Phone(columns)}), Block(lines));
}

TEST_F(ContactsTextExportTest, ShortDatesReadMissingPartsAsZero) {
  EXPECT_EQ(ExportOf({Phone({{"Birthday", "80"}})}), Block({"Birthday:0/0/80"}));
  // A year that reads 0 still shows the month and day found.
  EXPECT_EQ(ExportOf({Phone({{"Anniversary", "0000-5-7"}})}), Block({"Anniversary:5/7/0"}));
  // A month read with a sign shows without it.
  EXPECT_EQ(ExportOf({Phone({{"Birthday", "1980--5-7"}})}), Block({"Birthday:5/7/1980"}));
}

TEST_F(ContactsTextExportTest, TextIsWrittenInCodePage936) {
  QString name = QString::fromUtf8("张伟");
  EXPECT_EQ(ExportOf({SampleSimContact(name, "1")}),
            Block({"SIM_Name:" + WideToAnsi(name), "SIM_Mobile tel:1"}));
  EXPECT_EQ(WideToAnsi(name), QByteArray("\xd5\xc5\xce\xb0"));
}

TEST_F(ContactsTextExportTest, FailuresAreReportedAndLeaveNoFile) {
  const ExportOutcome cannotOpen{ExportResult::kDatabaseFault, DatabaseFault::kCannotOpen};
  EXPECT_EQ(ExportContactsText("out.txt", "missing/Contact.cdt", nullptr), cannotOpen);
  WriteFileBytes("Other.cdt", "");
  EXPECT_EQ(ExportContactsText("out.txt", "Other.cdt", nullptr), cannotOpen);  // no table
  InsertContactsWithOneDamaged(3, 1);  // the read fails after two contacts are written
  EXPECT_EQ(ExportContactsText("out.txt", "Contact.cdt", nullptr),
            (ExportOutcome{ExportResult::kDatabaseFault, DatabaseFault::kCannotRead}));
  EXPECT_EQ(ExportContactsText("missing/out.txt", "Contact.cdt", nullptr),
            ExportOutcome{ExportResult::kCannotCreate});
  EXPECT_EQ(QDir(".").entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
            (QStringList{"Contact.cdt", "Other.cdt"}));
}

}  // namespace
