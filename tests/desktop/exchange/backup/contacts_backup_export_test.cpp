#include "desktop/exchange/backup/contacts_backup_export.h"

#include <QDir>

#include <gtest/gtest.h>

#include "common/contacts_backup_file.h"
#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/contact_fields.h"
#include "tests/support/backup_file_builder.h"
#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/fifo_with_writer.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

using Builder = BackupFileBuilder;
const ExportOutcome kWritten{ExportResult::kWritten};

struct ExportedFile {
  std::vector<BackupRecord> records;
  std::vector<RingToneEntry> ringTones;
};

class ContactsBackupExportTest : public WorkingFolderTest {
 protected:
  // Reads the exported file back with the phone's reading rules, which take every byte as
  // written; fails the test when the file is not whole.
  static ExportedFile ReadBack(const QString& path = "out.cbk") {
    ExportedFile file;
    ContactsBackupReader reader(kPhoneDialect);
    EXPECT_EQ(reader.Open(path), ContactsBackupReader::OpenResult::kOk);
    std::uint32_t count = 0;
    EXPECT_TRUE(reader.ReadRecordCount(&count));
    for (std::uint32_t i = 0; i < count; ++i) {
      BackupRecord record;
      EXPECT_TRUE(reader.ReadRecord(&record));
      file.records.push_back(record);
    }
    std::int32_t tones = 0;
    EXPECT_TRUE(reader.ReadRingToneCount(&tones));
    for (std::int32_t i = 0; i < tones; ++i) {
      RingToneEntry entry;
      EXPECT_TRUE(reader.ReadRingTone(&entry));
      file.ringTones.push_back(entry);
    }
    EXPECT_EQ(reader.Position(), reader.FileSize());
    return file;
  }

  static SampleContact WithRingTone(const QString& first, const QString& ringTone) {
    return SamplePhoneContact(first, "X").Set("Ring_Tone", ringTone);
  }

  static std::vector<QByteArray> RingToneNames(const ExportedFile& file) {
    std::vector<QByteArray> names;
    for (const RingToneEntry& entry : file.ringTones) names.push_back(entry.name);
    return names;
  }
};

// Each kind in the order it was stored, whatever the names (the views' index keeps them by first
// name): a phone fills an empty SIM from its first position in file order, so a SIM that went
// through the desktop comes back with its entries in their positions.
TEST_F(ContactsBackupExportTest, PhoneContactsComeBeforeSimContactsEachInTheOrderStored) {
  ViewState state;
  ASSERT_TRUE(InitContactDatabase(state));
  SampleContact odd = SamplePhoneContact("Odd", "Type").Set("ContactType", "3");
  InsertContacts({SampleSimContact("Voicemail", "100"), SampleSimContact("  Ann ", "123"),
                  SamplePhoneContact("John", "Smith", "555"), SamplePhoneContact("Amy", "Lee"),
                  odd});
  ASSERT_EQ(ExportContactsBackup("out.cbk", "Contact.cdt", nullptr), kWritten);
  ExportedFile file = ReadBack();
  ASSERT_EQ(file.records.size(), 5u);
  EXPECT_EQ(file.records[0].type, kRecordTypePhone);
  EXPECT_EQ(file.records[0].phone.items[backup_item::kFirstName], "John");
  EXPECT_EQ(file.records[0].phone.items[backup_item::kMobilePhone], "555");
  EXPECT_EQ(file.records[1].phone.items[backup_item::kFirstName], "Amy");
  EXPECT_EQ(file.records[2].type, kRecordTypeSim);
  EXPECT_EQ(file.records[2].sim.name, "Voicemail");
  EXPECT_EQ(file.records[3].sim.name, "Ann");  // trimmed
  EXPECT_EQ(file.records[3].sim.number, "123");
  // A row that is neither type is written as the phone contact it is stored as.
  EXPECT_EQ(file.records[4].type, kRecordTypePhone);
  EXPECT_EQ(file.records[4].phone.items[backup_item::kFirstName], "Odd");
}

TEST_F(ContactsBackupExportTest, RingToneEntriesAreTheDistinctPathsOfPhoneContacts) {
  QDir().mkpath("Ring");
  WriteFileBytes("Ring/a.wav", "AAAA");
  WriteFileBytes("Ring/b.wav", "BB");
  WriteFileBytes("Ring/A.wav", "upper");
  InsertContacts({WithRingTone("1", "\\Sounds\\a.wav"), WithRingTone("2", "\\Sounds\\a.wav"),
                  WithRingTone("3", "\\Other\\a.wav"), WithRingTone("4", "\\Sounds\\A.wav"),
                  WithRingTone("5", "b.wav"), WithRingTone("6", ""),
                  SampleSimContact("Sim", "1").Set("Ring_Tone", "\\Sounds\\sim.wav")});
  ASSERT_EQ(ExportContactsBackup("out.cbk", "Contact.cdt", nullptr), kWritten);
  ExportedFile file = ReadBack();
  EXPECT_EQ(RingToneNames(file), (std::vector<QByteArray>{"\\Other\\a.wav", "\\Sounds\\A.wav",
                                                          "\\Sounds\\a.wav", "b.wav"}));
  EXPECT_EQ(file.ringTones[0].data, "AAAA");  // other folder, same file
  EXPECT_EQ(file.ringTones[1].data, "upper");
  EXPECT_EQ(file.ringTones[2].data, "AAAA");
  EXPECT_EQ(file.ringTones[3].data, "BB");
}

// A FIFO is not read: opening it would wait for a writer.
TEST_F(ContactsBackupExportTest, MissingRingToneFileIsWrittenAsFourZeroBytes) {
  ASSERT_TRUE(QDir().mkpath("Ring"));
  FifoWithWriter fifo("Ring/fifo.wav");
  InsertContacts({WithRingTone("1", "\\Sounds\\gone.wav"), WithRingTone("2", "\\Sounds\\.."),
                  WithRingTone("3", "fifo.wav")});
  EXPECT_EQ(
      ExportContactsBackup("out.cbk", "Contact.cdt", nullptr),
      (ExportOutcome{.unreadableRingTones = {"\\Sounds\\..", "\\Sounds\\gone.wav", "fifo.wav"}}));
  ExportedFile file = ReadBack();
  ASSERT_EQ(file.ringTones.size(), 3u);
  for (const RingToneEntry& entry : file.ringTones) EXPECT_EQ(entry.data, QByteArray(4, '\0'));
}

TEST_F(ContactsBackupExportTest, DatesAndPictures) {
  QByteArray picture("\0\x01'x", 4);
  SampleContact dated = SamplePhoneContact("A", "B").Set("Birthday", "1980-12-5");
  dated.Set("Anniversary", "2001--7-25");  // the anniversary's month loses its sign
  dated.picture = picture;
  InsertContacts({dated, SamplePhoneContact("C", "D").Set("Birthday", "May 5")});
  ASSERT_EQ(ExportContactsBackup("out.cbk", "Contact.cdt", nullptr), kWritten);
  ExportedFile file = ReadBack();
  ASSERT_EQ(file.records.size(), 2u);
  EXPECT_EQ(file.records[0].phone.birthday, (BackupDate{1980, 12, 5}));
  EXPECT_EQ(file.records[0].phone.anniversary, (BackupDate{2001, 7, 25}));
  EXPECT_EQ(file.records[0].phone.picture, picture);
  EXPECT_TRUE(file.records[1].phone.birthday.IsNone());  // no year: the year 0 alone
  EXPECT_TRUE(file.records[1].phone.picture.isEmpty());
}

TEST_F(ContactsBackupExportTest, DigestAndCountFitTheFinishedFile) {
  InsertNumberedContacts(3);
  ASSERT_EQ(ExportContactsBackup("out.cbk", "Contact.cdt", nullptr), kWritten);
  QByteArray bytes = ReadFileBytes("out.cbk");
  EXPECT_EQ(bytes, WithContactsDigest(bytes));  // the digest of "<length>KRVTQ_MaloBexin"
  EXPECT_EQ(bytes.mid(16, 4), Builder::Int32(3));
}

TEST_F(ContactsBackupExportTest, ExportThenImportGivesTheSameContacts) {
  SampleContact phone = SamplePhoneContact(" John", "Smith ").Set("Middle_Name", "Q");
  phone.Set("SIM_Name", "anything").Set("Company", "Acme").Set("Birthday", "1980-5-7");
  phone.picture = "PIC";
  InsertContacts({SampleSimContact("Ann", "123"), phone});
  ASSERT_EQ(ExportContactsBackup("out.cbk", "Contact.cdt", nullptr), kWritten);

  QDir().mkpath("copy");
  ViewState state;
  ASSERT_TRUE(InitContactDatabase(state, "copy/Contact.cdt"));
  ASSERT_EQ(ImportContactsBackup("out.cbk", "copy/Contact.cdt", nullptr).result,
            BackupImportResult::kComplete);
  ASSERT_TRUE(QDir::setCurrent("copy"));
  EXPECT_EQ(CountContactRows(), 2);
  // New IDs in file order: the phone contact first.
  const QString john = "ID=1 and SIM_Name='Smith,John Q'";
  EXPECT_EQ(ColumnValue("First_Name", john), "John");
  EXPECT_EQ(ColumnValue("Company", john), "Acme");
  EXPECT_EQ(ColumnValue("Birthday", john), "1980-5-7");
  EXPECT_EQ(ColumnValue("hasPic", john), "1");
  EXPECT_EQ(CountContactRows("ID=2 and ContactType=2 and First_Name='Ann' and File_As='Ann' and "
                             "SIM_Name='Ann' and Mobile_Phone='123'"),
            1);
  ASSERT_TRUE(QDir::setCurrent(".."));
}

TEST_F(ContactsBackupExportTest, FailuresLeaveNoFileBehind) {
  WriteFileBytes("out.cbk", "previous export");
  EXPECT_EQ(ExportContactsBackup("new.cbk", "missing/Contact.cdt", nullptr),
            (ExportOutcome{ExportResult::kDatabaseFault, DatabaseFault::kCannotOpen}));
  InsertContactsWithOneDamaged(3, 1);  // the read fails after two records are written
  EXPECT_EQ(ExportContactsBackup("out.cbk", "Contact.cdt", nullptr),
            (ExportOutcome{ExportResult::kDatabaseFault, DatabaseFault::kCannotRead}));
  EXPECT_EQ(ExportContactsBackup("missing/out.cbk", "Contact.cdt", nullptr),
            ExportOutcome{ExportResult::kCannotCreate});
  EXPECT_EQ(ReadFileBytes("out.cbk"), "previous export");
  EXPECT_EQ(QDir(".").entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
            (QStringList{"Contact.cdt", "out.cbk"}));
}

}  // namespace
