#include "desktop/exchange/vcard/vcard_export.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

const ExportOutcome kWritten{ExportResult::kWritten};

// The lines of one card in UTF-8, each ended by CR LF as on disk.
QByteArray Card(const QStringList& lines) {
  QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
  for (const QString& line : lines) card += line.toUtf8() + "\r\n";
  return card + "END:VCARD\r\n";
}

SampleContact Phone(const std::map<QString, QString>& columns) {
  SampleContact contact;
  contact.Set("ContactType", "1");
  for (const auto& [column, value] : columns) contact.Set(column, value);
  return contact;
}

class VCardExportTest : public WorkingFolderTest {
 protected:
  // Exports the contacts of a fresh table and returns the file's bytes.
  QByteArray ExportOf(const std::vector<SampleContact>& contacts) {
    DatabaseConnection("Contact.cdt").Exec("delete from Contact_Table");
    InsertContacts(contacts);
    EXPECT_EQ(WriteVCardFile("out.vcf"), kWritten);
    return ReadFileBytes("out.vcf");
  }
};

TEST_F(VCardExportTest, NamesAndAMobileNumber) {
  EXPECT_EQ(ExportOf({Phone({{"First_Name", "John"}, {"Mobile_Phone", "555"}})}),
            Card({"FN:John ", "N:;John;;;", "TEL;TYPE=CELL:555"}));
  EXPECT_EQ(ExportOf({Phone({{"Title", "Dr"},
                             {"First_Name", "John"},
                             {"Middle_Name", "Q"},
                             {"Last_Name", "Public"},
                             {"Suffix", "Jr"}})}),
            Card({"FN:Dr John Q Public Jr", "N:Public;John;Q;Dr;Jr"}));
  EXPECT_EQ(ExportOf({Phone({})}), Card({"FN:", "N:;;;;"}));
}

TEST_F(VCardExportTest, PhoneContactsComeFirstAndSimContactsKeepFileAsInTheNote) {
  EXPECT_EQ(ExportOf({SampleSimContact("Bob", "139"), Phone({{"First_Name", "Ann"}})}),
            Card({"FN:Ann ", "N:;Ann;;;"}) +
                Card({"FN:Bob ", "N:;Bob;;;", "TEL;TYPE=CELL:139", "NOTE:\\nFile As:Bob"}));
}

TEST_F(VCardExportTest, EveryColumnInItsPlace) {
  std::map<QString, QString> columns;
  for (const char* column :
       {"Nick_Name", "Company",    "Department", "Job_Title",     "File_As",  "Mobile_Phone",
        "Web_Page",  "E_Mail",     "Pager",      "Company_Tel",   "Work_Tel", "Work_Tel2",
        "Work_Fax",  "Car_Tel",    "Home_Tel",   "Home_Tel2",     "Home_Fax", "Spouse",
        "Children",  "IM",         "IM2",        "IM3",           "E_Mail2",  "E_Mail3",
        "Radio_Tel", "Office_Loc", "Assistant",  "Assistant_Tel", "Manager",  "Customer_ID",
        "Account",   "Gove_ID",    "Birthday",   "Anniversary",   "Notes",    "Categories",
        "Ring_Tone"}) {
    columns[column] = QString(column).toLower();
  }
  EXPECT_EQ(
      ExportOf({Phone(columns)}),
      Card({"FN:",
            "N:;;;;",
            "NICKNAME:nick_name",
            "ORG:company",
            "TITLE:job_title",
            "TEL;TYPE=CELL:mobile_phone",
            "URL:web_page",
            "EMAIL;TYPE=INTERNET:e_mail",
            "TEL;TYPE=PAGER:pager",
            "item1.TEL:company_tel",
            "item1.X-ABLabel:COMPANY_MAIN",
            "TEL;TYPE=WORK:work_tel",
            "TEL;TYPE=WORK:work_tel2",
            "TEL;TYPE=WORK;TYPE=FAX:work_fax",
            "TEL;TYPE=CAR:car_tel",
            "TEL;TYPE=HOME:home_tel",
            "TEL;TYPE=HOME:home_tel2",
            "TEL;TYPE=HOME;TYPE=FAX:home_fax",
            "item2.X-ABRELATEDNAMES:spouse",
            "item2.X-ABLabel:_$!<Spouse>!$_",
            "item3.X-ABRELATEDNAMES:children",
            "item3.X-ABLabel:_$!<Child>!$_",
            "X-MSN:im",
            "X-MSN:im2",
            "X-MSN:im3",
            "EMAIL;TYPE=INTERNET:e_mail2",
            "EMAIL;TYPE=INTERNET:e_mail3",
            "item4.TEL:radio_tel",
            "item4.X-ABLabel:RADIO",
            "item5.X-ABRELATEDNAMES:assistant",
            "item5.X-ABLabel:_$!<Assistant>!$_",
            "item6.TEL:assistant_tel",
            "item6.X-ABLabel:ASSISTANT",
            "item7.X-ABRELATEDNAMES:manager",
            "item7.X-ABLabel:_$!<Manager>!$_",
            "BDAY:birthday",
            "item8.X-ABDATE:anniversary",
            "item8.X-ABLabel:_$!<Anniversary>!$_",
            "NOTE:notes\\n\\nDepartment:department\\nFile As:file_as\\nOffice "
            "Loc:office_loc\\nCustomer's ID:customer_id\\nAccount:account\\nGove.ID:gove_id"}));
}

TEST_F(VCardExportTest, ItemsCountPerCard) {
  SampleContact contact = Phone({{"Company_Tel", "1"},
                                 {"Spouse", "Eve"},
                                 {"Birthday", "1980/5/7"},
                                 {"Anniversary", "2001-6-1"}});
  QStringList lines = {"FN:",
                       "N:;;;;",
                       "item1.TEL:1",
                       "item1.X-ABLabel:COMPANY_MAIN",
                       "item2.X-ABRELATEDNAMES:Eve",
                       "item2.X-ABLabel:_$!<Spouse>!$_",
                       "BDAY:1980-05-07",  // stored dates are written as vCard dates
                       "item3.X-ABDATE:2001-06-01",
                       "item3.X-ABLabel:_$!<Anniversary>!$_"};
  EXPECT_EQ(ExportOf({contact, contact}), Card(lines) + Card(lines));
}

TEST_F(VCardExportTest, AddressesAfterTheOtherLines) {
  EXPECT_EQ(ExportOf({Phone({{"Work_City", "Paris"}, {"Notes", "n"}})}),
            Card({"FN:", "N:;;;;", "ADR;TYPE=WORK:;;;Paris;;;", "NOTE:n\\n"}));
  EXPECT_EQ(ExportOf({Phone({{"Other_Street", "1 Rd"},
                             {"Other_City", "Town"},
                             {"Other_State", "ST"},
                             {"Other_Zip", "9"},
                             {"Other_Country", "UK"},
                             {"Home_Zip", "75"},
                             {"Mobile_Phone", "5"}})}),
            Card({"FN:", "N:;;;;", "TEL;TYPE=CELL:5", "ADR;TYPE=HOME:;;;;;75;",
                  "ADR;TYPE=OTHER:;;1 Rd;Town;ST;9;UK"}));
}

TEST_F(VCardExportTest, NotesAndLineBreaks) {
  EXPECT_EQ(ExportOf({Phone({{"Notes", "a"}, {"Department", "Sales"}})}),
            Card({"FN:", "N:;;;;", "NOTE:a\\n\\nDepartment:Sales"}));
  EXPECT_EQ(ExportOf({Phone({{"Notes", "one\r\ntwo\r\n"}})}),
            Card({"FN:", "N:;;;;", "NOTE:one\\ntwo\\n\\n"}));
  // A line break in any other value cannot start a line, and so no property or card, of its own.
  EXPECT_EQ(
      ExportOf({Phone({{"Company", "Acme\r\nEND:VCARD\nBEGIN:VCARD"}, {"Home_City", "a\rb"}})}),
      Card({"FN:", "N:;;;;", "ORG:Acme\\nEND:VCARD\\nBEGIN:VCARD", "ADR;TYPE=HOME:;;;ab;;;"}));
}

TEST_F(VCardExportTest, EveryValueIsEscapedAsVCardText) {
  EXPECT_EQ(ExportOf({Phone({{"Last_Name", "O;Neil\\"},
                             {"First_Name", "Ann, B"},
                             {"Company", "Smith, Jones & Co; Ltd"},
                             {"Department", "R;D"},
                             {"Job_Title", "\"Boss\""},
                             {"Spouse", "a,b"},
                             {"Work_Street", "1;2"},
                             {"Notes", "C:\\new"}})}),
            Card({"FN:Ann\\, B O\\;Neil\\\\ ", "N:O\\;Neil\\\\;Ann\\, B;;;",
                  "ORG:Smith\\, Jones & Co\\; Ltd", "TITLE:\"Boss\"",
                  "item1.X-ABRELATEDNAMES:a\\,b", "item1.X-ABLabel:_$!<Spouse>!$_",
                  "ADR;TYPE=WORK:;;1\\;2;;;;", "NOTE:C:\\\\new\\n\\nDepartment:R\\;D"}));
}

// As other address books read it; the euro sign is stored as code page 936's 0x80.
TEST_F(VCardExportTest, TextIsWrittenInUtf8WithoutAByteOrderMark) {
  InsertContacts({Phone({{"First_Name", QString::fromUtf8("张伟")}})});
  DatabaseConnection().Exec(
      "update Contact_Table set Last_Name = 'Bront' || cast(X'A8A6' as text), "
      "Notes = cast(X'3580' as text)");
  ASSERT_EQ(WriteVCardFile("out.vcf"), kWritten);
  EXPECT_EQ(ReadFileBytes("out.vcf"),
            Card({QString::fromUtf8("FN:张伟 Bronté "), QString::fromUtf8("N:Bronté;张伟;;;"),
                  QString::fromUtf8("NOTE:5€\\n")}));
}

// Another vCard reader, vobject (Debian's python3-vobject), reads names, companies and notes of
// the export as they are: what other address books see.
TEST_F(VCardExportTest, AnotherVCardReaderReadsCjkAndAccentedText) {
  InsertContacts({Phone({{"First_Name", QString::fromUtf8("Zoë")},
                         {"Last_Name", QString::fromUtf8("Brontë")},
                         {"Company", QString::fromUtf8("北京大学, Zürich")}}),
                  Phone({{"First_Name", QString::fromUtf8("伟")},
                         {"Middle_Name", QString::fromUtf8("小")},
                         {"Last_Name", QString::fromUtf8("张")},
                         {"Notes", QString::fromUtf8("Café\r\n会议 5€")}})});
  ASSERT_EQ(WriteVCardFile("out.vcf"), kWritten);
  QProcess reader;
  reader.start("/usr/bin/python3", {VCARD_READER_SCRIPT, "out.vcf"});
  ASSERT_TRUE(reader.waitForFinished(60000));
  ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
  const char* const expected[] = {
      R"({"fn": "Zoë Brontë ", "n": ["Brontë", "Zoë", "", "", ""], "org": "北京大学, Zürich",
          "note": null})",
      R"({"fn": "伟 小 张 ", "n": ["张", "伟", "小", "", ""], "org": null,
          "note": "Café\n会议 5€\n"})",
  };
  QList<QByteArray> cards = reader.readAllStandardOutput().trimmed().split('\n');
  ASSERT_EQ(cards.size(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(QJsonDocument::fromJson(cards[i]).object(),
              QJsonDocument::fromJson(expected[i]).object())
        << cards[i].toStdString();
  }
}

TEST_F(VCardExportTest, FailuresLeaveNoFile) {
  InsertContacts({});
  EXPECT_EQ(WriteVCardFile("out.vcf"), ExportOutcome{ExportResult::kNoRecords});
  EXPECT_FALSE(QFile::exists("out.vcf"));

  InsertContacts({Phone({{"First_Name", "Ann"}})});
  EXPECT_EQ(WriteVCardFile(QDir::current().filePath("missing/out.vcf")),
            ExportOutcome{ExportResult::kCannotCreate});

  QFile::remove("Contact.cdt");
  InsertContactsWithOneDamaged(3, 1);  // the read fails after two cards are written
  WriteFileBytes("out.vcf", "older export");
  EXPECT_EQ(WriteVCardFile("out.vcf"),
            (ExportOutcome{ExportResult::kDatabaseFault, DatabaseFault::kCannotRead}));
  DatabaseConnection other;
  ASSERT_EQ(other.Exec("begin exclusive"), SQLITE_OK);
  EXPECT_EQ(WriteVCardFile("out.vcf"),
            (ExportOutcome{ExportResult::kDatabaseFault, DatabaseFault::kLocked}));
  EXPECT_EQ(ReadFileBytes("out.vcf"), "older export");
  EXPECT_EQ(QDir::current().entryList(QDir::Files | QDir::Hidden).size(), 2);  // no leftovers
}

}  // namespace
