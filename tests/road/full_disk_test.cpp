// Every file the two programs write, on a disk too full for it: the writer says it failed, the
// file that stood at the path keeps its bytes, and nothing else is left beside it.

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

#include "desktop/exchange/backup/contacts_backup_export.h"
#include "desktop/exchange/csv/column_config_file.h"
#include "desktop/exchange/csv/csv_export.h"
#include "desktop/exchange/text/contacts_text_export.h"
#include "desktop/exchange/vcard/vcard_export.h"
#include "desktop/store/contact_database.h"
#include "device/contacts/contacts_backup_job.h"
#include "device/contacts/marrowind_program.h"
#include "device/frame/device_program.h"
#include "device/frame/job_outcome.h"
#include "device/sms/sms_backup_job.h"
#include "platform/device/sample/phone_sample.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/phone_test.h"
#include "tests/support/sample_contacts.h"

namespace {

// What a writer told: the exit code of the child that ran it.
enum Said { kWritten, kFailed, kSomethingElse };

Said OfExport(const ExportOutcome& outcome) {
  if (outcome.result == ExportResult::kWritten) return kWritten;
  return outcome.result == ExportResult::kCannotWrite ? kFailed : kSomethingElse;
}

Said OfMarrowind(ContactsBackupMode mode, const QString& path) {
  CContactsBackupJob job(mode, path);
  if (!job.m_session.OpenContactStore()) return kSomethingElse;
  const QString text = JobOutcomeText(RunContactsBackup(job.m_session, job));
  if (text == "Backup succeed.") return kWritten;
  return text == CannotWriteFileText(path) ? kFailed : kSomethingElse;
}

// A failure is told in the system's words.
Said OfSkeldra(SmsBackupMode mode, const QString& path) {
  CSmsBackupJob job(mode, path, CSmsBackupJob::kAllFolders);
  job.m_nTotal = CountSelectedMessages(job);
  const JobOutcome outcome = RunSmsBackup(job);
  if (outcome == JobOutcome{132, QString(), false}) return kWritten;
  return outcome.text == "File too large" ? kFailed : kSomethingElse;
}

struct Writer {
  const char* name;
  const char* file;  // in the working folder
  std::function<Said(const QString& path)> write;
};

const Writer kWriters[] = {
    {"contacts backup", "out.cbk",
     [](const QString& path) {
       return OfExport(ExportContactsBackup(path, kContactDatabaseFile, nullptr));
     }},
    {"common CSV", "out.csv",
     [](const QString& path) {
       return OfExport(WriteCommonCsvRows(path, ColumnConfigFile{}, kContactDatabaseFile));
     }},
    {"Google CSV", "google.csv",
     [](const QString& path) { return OfExport(WriteGoogleCsvRows(path, kContactDatabaseFile)); }},
    {"vCard", "out.vcf",
     [](const QString& path) { return OfExport(WriteVCardFile(path, kContactDatabaseFile)); }},
    {"text", "out.txt",
     [](const QString& path) {
       return OfExport(ExportContactsText(path, kContactDatabaseFile, nullptr));
     }},
    {"column layout", "Config/Lay.cnf",
     [](const QString&) {
       ColumnConfigFile layout;
       layout.names.fill("a column");
       return WriteColumnConfigFile("Lay", layout) ? kWritten : kFailed;
     }},
    {"Marrowind backup", "out.vbx",
     [](const QString& path) { return OfMarrowind(ContactsBackupMode::kFile, path); }},
    {"Marrowind listing", "contacts.txt",
     [](const QString& path) { return OfMarrowind(ContactsBackupMode::kText, path); }},
    {"Skeldra backup", "out.qrd",
     [](const QString& path) { return OfSkeldra(SmsBackupMode::kBackupFile, path); }},
    {"Skeldra listing", "sms.txt",
     [](const QString& path) { return OfSkeldra(SmsBackupMode::kTextListing, path); }},
};

class FullDiskTest : public PhoneTest {
 protected:
  void SetUp() override {
    InstallDeviceProgram(MarrowindProgram());
    ASSERT_TRUE(QDir().mkpath("Config"));
    std::vector<SampleContact> contacts;
    for (int i = 0; i < 5; ++i) contacts.push_back(SamplePhoneContact("First", "Last", "123"));
    InsertContacts(contacts);
    ASSERT_TRUE(AddSampleData(phone_, {.contacts = 8, .simEntries = 2, .messages = 8}));
  }

  PhoneSetup phone_;  // open throughout, so that a job opening the phone writes no file of it
};

TEST_F(FullDiskTest, EveryWriterKeepsTheOldFileAndSaysItFailed) {
  const QByteArray old = "the file that was there";
  for (const Writer& writer : kWriters) {
    const QString path = folder_.FilePath(writer.file);
    ASSERT_EQ(writer.write(path), kWritten) << writer.name;
    const qint64 whole = QFileInfo(path).size();
    ASSERT_GT(whole, 2 * old.size()) << writer.name;
    const QDir folder = QFileInfo(path).dir();
    const QStringList files = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (qint64 room : {qint64(0), whole / 2, whole - 1}) {
      WriteFileBytes(path, old);
      EXPECT_EQ(
          RunWithFileSizeLimit(room, AtSizeLimit::kFailWrites, [&] { return writer.write(path); }),
          kFailed)
          << writer.name << " with room for " << room << " of " << whole << " bytes";
      EXPECT_TRUE(ReadFileBytes(path) == old) << writer.name << ", " << room;
      EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System), files)
          << writer.name << ", " << room;
    }
  }
}

}  // namespace
