// The road of a phone's contacts through both programs: the phone is backed up with Marrowind,
// the backup is imported into Brevantor, exported as a contacts backup, CSV or vCard, imported
// into a fresh desktop folder, exported as a contacts backup again and restored with Marrowind
// onto a fresh phone; twice in a row, the second time from the restored phone. The phone at the
// end holds what the phone at the start held, as far as the format of the middle carries it.

#include <QCryptographicHash>
#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "desktop/exchange/backup/contacts_backup_export.h"
#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/exchange/csv/csv_export.h"
#include "desktop/exchange/csv/csv_import.h"
#include "desktop/exchange/vcard/vcard_export.h"
#include "desktop/exchange/vcard/vcard_import.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/contact_record.h"
#include "device/contacts/contacts_backup_job.h"
#include "device/contacts/contacts_restore_job.h"
#include "device/contacts/marrowind_program.h"
#include "device/frame/device_program.h"
#include "platform/device/sample/phone_sample.h"
#include "platform/device/stores/contact_property_ids.h"
#include "platform/device/tool/phone_summary.h"
#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/phone_test.h"
#include "tests/support/scoped_time_zone.h"
#include "tests/support/scripted_services.h"

namespace {

// A contact as the values of its properties: texts as they are, a date as the day it names in
// local time (what a backup writes of it), the picture as a digest.
using ContactValues = std::map<CEPROPID, QString>;

// What a phone holds of contacts, independent of order.
struct PhoneContents {
  std::multiset<ContactValues> contacts;
  // "name (number)" in the order of their positions: a backup holds no position, but a restore
  // fills an empty SIM from its first position in the order of the file.
  QStringList simEntries;
  QStringList files;  // "path: size" of the ring tones, by path
};

QString LocalDay(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME day;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &day)) return {};
  return QStringLiteral("%1-%2-%3").arg(day.wYear).arg(day.wMonth).arg(day.wDay);
}

// The phone of PHONE_ROOT.
PhoneContents ReadPhone() {
  PhoneContents contents;
  PhoneSetup phone;
  for (const PhoneContact& contact : phone.Contacts()) {
    ContactValues values(contact.texts.begin(), contact.texts.end());
    for (const auto& [id, date] : contact.dates) values[id] = LocalDay(date);
    if (!contact.picture.isEmpty()) {
      values[PIMPR_PICTURE] =
          QCryptographicHash::hash(contact.picture, QCryptographicHash::Md5).toHex();
    }
    contents.contacts.insert(values);
  }
  for (const auto& [index, entry] : phone.SimEntries())
    contents.simEntries << entry.Name() + " (" + entry.Number() + ")";
  std::optional<PhoneSummary> summary = SummarizePhone();
  EXPECT_TRUE(summary.has_value());
  if (summary) {
    for (const PhoneFileSize& file : summary->files)
      contents.files << file.phonePath + ": " + QString::number(file.bytes);
    // What `phone show` counts is what was read.
    EXPECT_EQ(summary->contacts, qint64(contents.contacts.size()));
    EXPECT_EQ(summary->simEntries, qint64(contents.simEntries.size()));
  }
  return contents;
}

QString Describe(const ContactValues& contact) {
  QStringList parts;
  for (const auto& [id, text] : contact)
    parts << QString::number(id, 16) + '=' +
                 QString(text).replace('\n', "\\n").replace('\r', "\\r");
  return '{' + parts.join(", ") + '}';
}

// The first few contacts that only one of the two holds.
::testing::AssertionResult SameContacts(const std::multiset<ContactValues>& expected,
                                        const std::multiset<ContactValues>& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << expected.size() << " contacts expected, " << actual.size() << " held";
  auto listOnlyIn = [&](const auto& one, const auto& other, const char* label) {
    std::vector<ContactValues> only;
    std::set_difference(one.begin(), one.end(), other.begin(), other.end(),
                        std::back_inserter(only));
    for (std::size_t i = 0; i < std::min<std::size_t>(only.size(), 3); ++i)
      failure << "\n  " << label << Describe(only[i]).toStdString();
  };
  listOnlyIn(expected, actual, "lost: ");
  listOnlyIn(actual, expected, "came: ");
  return failure;
}

void ExpectSameLines(const char* what, const QStringList& expected, const QStringList& actual) {
  EXPECT_TRUE(expected == actual) << what << " expected:\n"
                                  << expected.join('\n').toStdString() << "\nheld:\n"
                                  << actual.join('\n').toStdString();
}

void ExpectSamePhone(const PhoneContents& expected, const PhoneContents& actual) {
  EXPECT_TRUE(SameContacts(expected.contacts, actual.contacts));
  ExpectSameLines("SIM entries", expected.simEntries, actual.simEntries);
  ExpectSameLines("files", expected.files, actual.files);
}

// ---- What each format carries --------------------------------------------------------------

// The contacts backup file carries everything: every text, both dates, the picture, the ring
// tone with its file, and SIM entries as SIM entries.
PhoneContents Everything(const PhoneContents& phone) { return phone; }

// CSV and vCard files carry the 55 contact fields of a contact and nothing more:
// - no categories, ring tone (nor its file) or picture: the CSV layouts have no column for them,
//   and the vCard export writes no property for them;
// - no kind of contact: every record comes in as a phone contact, so a SIM entry comes back as a
//   contact with its name as first name and File As and its number as mobile number;
// - a line break, but not its form: a CSV file holds every line break as CR LF, a vCard file
//   as "\n", and both come back as CR LF.
ContactValues ContactFieldsOf(ContactValues contact) {
  for (CEPROPID id : {PIMPR_CATEGORIES, PIMPR_RINGTONE, PIMPR_PICTURE}) contact.erase(id);
  for (auto& [id, text] : contact) text.remove('\r').replace("\n", "\r\n");
  return contact;
}

PhoneContents AsContactFields(const PhoneContents& phone) {
  PhoneContents carried;
  for (const ContactValues& contact : phone.contacts)
    carried.contacts.insert(ContactFieldsOf(contact));
  for (const QString& entry : phone.simEntries) {
    qsizetype open = entry.lastIndexOf(" (");
    const QString name = entry.left(open);
    const QString number = entry.sliced(open + 2).chopped(1);
    ContactValues contact;
    if (!name.isEmpty()) contact[PIMPR_FIRST_NAME] = contact[PIMPR_FILEAS] = name;
    if (!number.isEmpty()) contact[PIMPR_MOBILE_TELEPHONE_NUMBER] = number;
    carried.contacts.insert(contact);
  }
  return carried;
}

// The vCard import files a card under its name ("Last,First Middle") when its note names no
// File As.
PhoneContents AsVCards(const PhoneContents& phone) {
  PhoneContents carried;
  for (ContactValues contact : AsContactFields(phone).contacts) {
    auto part = [&](CEPROPID id) {
      auto found = contact.find(id);
      return found != contact.end() ? found->second : QString();
    };
    QString name = part(PIMPR_FIRST_NAME);
    if (contact.contains(PIMPR_MIDDLE_NAME)) name += ' ' + part(PIMPR_MIDDLE_NAME);
    if (contact.contains(PIMPR_LAST_NAME)) name = part(PIMPR_LAST_NAME) + ',' + name;
    if (!contact.contains(PIMPR_FILEAS) && !name.isEmpty()) contact[PIMPR_FILEAS] = name;
    carried.contacts.insert(contact);
  }
  return carried;
}

// The Google layout has no File As column, and one formatted text for each address
// ("street city ,zip country "), which the import cannot take apart again: the addresses are lost.
PhoneContents AsGoogleCsv(const PhoneContents& phone) {
  PhoneContents carried;
  for (ContactValues contact : AsContactFields(phone).contacts) {
    std::erase_if(contact, [](const auto& value) {
      CEPROPID group = value.first & 0xF0FFFF;
      return value.first == PIMPR_FILEAS || group == 0xC0001F || group == 0xD0001F ||
             group == 0xE0001F;
    });
    carried.contacts.insert(contact);
  }
  return carried;
}

// ---- The desktop's side ---------------------------------------------------------------------

// The header that names each column of Contact_Table in the Google layout.
const std::map<QString, QString> kGoogleHeaders = {
    {"Title", "Name Prefix"},
    {"First_Name", "Given Name"},
    {"Middle_Name", "Additional Name"},
    {"Last_Name", "Family Name"},
    {"Suffix", "Name Suffix"},
    {"Nick_Name", "Nickname"},
    {"Company", "Organization 1 - Name"},
    {"Department", "Custom Field 4 - Value"},
    {"Job_Title", "Organization 1 - Title"},
    {"Mobile_Phone", "Phone 1 - Value"},
    {"Web_Page", "Website 1 - Value"},
    {"E_Mail", "E-mail 1 - Value"},
    {"Pager", "Phone 2 - Value"},
    {"Company_Tel", "Phone 3 - Value"},
    {"Work_Tel", "Phone 4 - Value"},
    {"Work_Tel2", "Phone 5 - Value"},
    {"Work_Fax", "Phone 6 - Value"},
    {"Car_Tel", "Phone 7 - Value"},
    {"Home_Tel", "Phone 8 - Value"},
    {"Home_Tel2", "Phone 9 - Value"},
    {"Home_Fax", "Phone 10 - Value"},
    {"Spouse", "Relation 4 - Value"},
    {"Children", "Relation 3 - Value"},
    {"IM", "IM 1 - Value"},
    {"IM2", "IM 2 - Value"},
    {"IM3", "IM 3 - Value"},
    {"E_Mail2", "E-mail 2 - Value"},
    {"E_Mail3", "E-mail 3 - Value"},
    {"Radio_Tel", "Phone 11 - Value"},
    {"Office_Loc", "Custom Field 1 - Value"},
    {"Assistant", "Relation 2 - Value"},
    {"Assistant_Tel", "Phone 12 - Value"},
    {"Manager", "Relation 1 - Value"},
    {"Customer_ID", "Custom Field 2 - Value"},
    {"Account", "Custom Field 5 - Value"},
    {"Gove_ID", "Custom Field 3 - Value"},
    {"Birthday", "Birthday"},
    {"Anniversary", "Event 1 - Value"},
    {"Notes", "Notes"},
};

// The header of each column in a common layout.
std::map<QString, QString> LayoutHeaders(const ColumnConfigFile& layout) {
  std::map<QString, QString> headers;
  for (const ContactField& field : kContactFields)
    headers[field.column] = layout.names[field.number - 1];
  return headers;
}

// What the user chooses in the CSV import dialog: each field from the column its header names.
CsvColumnMap MapColumns(const QString& csvPath, const std::map<QString, QString>& headers) {
  CsvRecordReader reader;
  EXPECT_EQ(reader.Open(csvPath), CsvReadResult::kRead);
  EXPECT_EQ(reader.ReadRecord(), CsvRecordReader::Next::kRecord);
  const CsvRow header = reader.Row();
  CsvColumnMap columns;
  for (int box = 0; box < kContactFieldCount; ++box) {
    auto name = headers.find(kCsvImportBoxColumns[box]);
    columns[box] = name == headers.end() ? -1 : static_cast<int>(header.indexOf(name->second));
  }
  return columns;
}

qint64 CountRows(const QString& databasePath) {
  DatabaseConnection db(databasePath);
  return db.QueryCount(QStringLiteral("select count(*) from Contact_Table"));
}

// The format in the middle of the road.
struct Branch {
  const char* name;
  const char* fileName;
  ExportOutcome (*exportFile)(const QString& databasePath, const QString& path);
  // `records`: how many the file holds.
  void (*importFile)(const QString& path, const QString& databasePath, qint64 records);
  PhoneContents (*carried)(const PhoneContents& phone);
};

const ExportOutcome kWritten{ExportResult::kWritten};

ExportOutcome ExportBackup(const QString& databasePath, const QString& path) {
  return ExportContactsBackup(path, databasePath, nullptr);
}

void ImportBackup(const QString& path, const QString& databasePath, qint64) {
  EXPECT_EQ(ImportContactsBackup(path, databasePath, nullptr),
            BackupImportOutcome{BackupImportResult::kComplete});
}

void ImportCsv(const QString& path, const QString& databasePath, qint64 records,
               const std::map<QString, QString>& headers) {
  EXPECT_EQ(ImportCsvFile(path, MapColumns(path, headers), databasePath),
            (CsvImportOutcome{static_cast<int>(records), 0}));
}

void PrintTo(const Branch& branch, std::ostream* os) { *os << branch.name; }

const Branch kBranches[] = {
    {"Backup", "contacts.cbk", ExportBackup, ImportBackup, Everything},
    {"DefaultCsv", "contacts.csv",
     [](const QString& databasePath, const QString& path) {
       return WriteCommonCsvRows(path, DefaultCsvColumns(), databasePath);
     },
     [](const QString& path, const QString& databasePath, qint64 records) {
       ImportCsv(path, databasePath, records, LayoutHeaders(DefaultCsvColumns()));
     },
     AsContactFields},
    {"OutlookCsv", "contacts.csv",
     [](const QString& databasePath, const QString& path) {
       return WriteCommonCsvRows(path, OutlookCsvColumns(), databasePath);
     },
     [](const QString& path, const QString& databasePath, qint64 records) {
       ImportCsv(path, databasePath, records, LayoutHeaders(OutlookCsvColumns()));
     },
     AsContactFields},
    {"GoogleCsv", "contacts.csv",
     [](const QString& databasePath, const QString& path) {
       return WriteGoogleCsvRows(path, databasePath);
     },
     [](const QString& path, const QString& databasePath, qint64 records) {
       ImportCsv(path, databasePath, records, kGoogleHeaders);
     },
     AsGoogleCsv},
    {"VCard", "contacts.vcf",
     [](const QString& databasePath, const QString& path) {
       return WriteVCardFile(path, databasePath);
     },
     [](const QString& path, const QString& databasePath, qint64 records) {
       EXPECT_EQ(ImportVCard(path, databasePath),
                 (VCardImportOutcome{static_cast<int>(records), 0}));
     },
     AsVCards},
};

class ContactsRoadTest : public PhoneTest, public ::testing::WithParamInterface<Branch> {
 protected:
  ContactsRoadTest() { InstallDeviceProgram(MarrowindProgram()); }

  void UsePhone(const QString& name) {
    qputenv(kPhoneRootVariable, folder_.FilePath(name).toLocal8Bit());
  }

  // A fresh desktop folder; the path of its database.
  QString Desktop(const QString& name) {
    EXPECT_TRUE(QDir(folder_.Path()).mkpath(name));
    const QString database = folder_.FilePath(name + "/Contact.cdt");
    ViewState state;
    EXPECT_TRUE(InitContactDatabase(state, database));
    return database;
  }

  void Backup(const QString& path) {
    script_.ExpectMessageBox("Backup succeed.", "Marrowind", IDOK);
    CContactsBackupJob job(ContactsBackupMode::kFile, path);
    ASSERT_TRUE(job.m_session.OpenContactStore());
    RunContactsBackup(job.m_session, job);
  }

  void Restore(const QString& path) {
    script_.ExpectMessageBox("Restore succeed.", "Marrowind", IDOK);
    CContactsRestoreJob job(path);
    ASSERT_TRUE(job.m_session.OpenContactStore());
    RestoreContactsFile(job.m_session, job);
  }

  // One cycle from the phone `from` to the fresh phone `to`, through the branch's format.
  void Cycle(const QString& from, const QString& to) {
    const Branch& branch = GetParam();
    UsePhone(from);
    const QString phoneFile = folder_.FilePath(from + ".vbx");
    Backup(phoneFile);
    const QString first = Desktop(from + " first desktop");
    ImportBackup(phoneFile, first, 0);
    const qint64 rows = CountRows(first);
    const QString middle = folder_.FilePath(from + " " + branch.fileName);
    EXPECT_EQ(branch.exportFile(first, middle), kWritten);
    const QString second = Desktop(to + " second desktop");
    branch.importFile(middle, second, rows);
    EXPECT_EQ(CountRows(second), rows);
    const QString restoreFile = folder_.FilePath(to + ".cbk");
    EXPECT_EQ(ExportBackup(second, restoreFile), kWritten);
    UsePhone(to);
    Restore(restoreFile);
  }

  ScriptedServices script_;
};

TEST_P(ContactsRoadTest, TwoCyclesEndWithWhatThePhoneHeldAsFarAsTheFormatCarriesIt) {
  // West of UTC, where the seeded midnights (UTC) fall on the day before.
  ScopedTimeZone zone(kTimeZonesAroundTheWorld[1]);
  UsePhone("phone0");
  {
    PhoneSetup phone;
    // Same-name people, companies without a name (two of them alike), pictures and ring tones.
    ASSERT_TRUE(AddSampleData(phone, {.contacts = 120, .simEntries = 12, .messages = 0}));
    // Values the text formats must escape or keep apart: quotes, a backslash, commas and
    // semicolons, colons, the euro sign, and notes that look like the lines the vCard export
    // appends to a note.
    PhoneContact awkward;
    awkward.texts = {{PIMPR_FIRST_NAME, QString::fromUtf8("Zoë \"Z\"")},
                     {PIMPR_LAST_NAME, "O'Neil\\Smith"},
                     {PIMPR_COMPANY_NAME, "Smith, Jones & Co; Ltd"},
                     {PIMPR_WEB_PAGE, "http://example.com:8080/a?b=c"},
                     {PIMPR_JOB_TITLE, QString::fromUtf8("€ trader")},
                     {PIMPR_BODY_TEXT, "Meeting notes\r\n\r\nAccount:5\r\nFile As:boss"}};
    ASSERT_NE(phone.AddContact(awkward), 0u);
    awkward.texts.erase(PIMPR_FIRST_NAME);
    awkward.texts.erase(PIMPR_LAST_NAME);
    ASSERT_NE(phone.AddContact(awkward), 0u);
    // Two SIM entries of one name, one without a name, one with the euro sign.
    ASSERT_TRUE(phone.AddSimEntry(20, "Ann", "111"));
    ASSERT_TRUE(phone.AddSimEntry(21, "Ann", "222"));
    ASSERT_TRUE(phone.AddSimEntry(22, "", "10010"));
    ASSERT_TRUE(phone.AddSimEntry(23, QString::fromUtf8("€ Bank"), "95588"));
  }
  const PhoneContents seeded = ReadPhone();
  const PhoneContents expected = GetParam().carried(seeded);
  for (int cycle = 1; cycle <= 2; ++cycle) {
    SCOPED_TRACE(cycle);
    Cycle(QStringLiteral("phone%1").arg(cycle - 1), QStringLiteral("phone%1").arg(cycle));
    ExpectSamePhone(expected, ReadPhone());
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, ContactsRoadTest, ::testing::ValuesIn(kBranches),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
