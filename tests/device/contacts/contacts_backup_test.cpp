#include "device/contacts/contacts_backup_job.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "desktop/exchange/backup/contacts_backup_import.h"
#include "tests/device/contacts/contacts_testing.h"
#include "tests/support/fifo_with_writer.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scoped_time_zone.h"

namespace {

using namespace backup_item;

constexpr char kRingTonePath[] = "\\Application Data\\Sounds\\ring.wav";

class ContactsBackupTest : public ContactsTest {
 protected:
  std::uint32_t StoredCount(const QString& fileName) {
    ContactsBackupReader reader(kPhoneDialect);
    std::uint32_t count = 0;
    EXPECT_EQ(reader.Open(Path(fileName)), ContactsBackupReader::OpenResult::kOk);
    EXPECT_TRUE(reader.ReadRecordCount(&count));
    return count;
  }
};

TEST_F(ContactsBackupTest, AnEmptyPhoneGivesTheSmallestFile) {
  ExpectMessage("Backup succeed.");
  EXPECT_EQ(Backup("empty.vbx"), 1.0);
  const QByteArray bytes = ReadFileBytes(Path("empty.vbx"));
  ASSERT_EQ(bytes.size(), 24);
  // The MD5 of "24KRVTQ_MaloBexin".
  EXPECT_EQ(bytes.left(16).toHex(), "4c02cb120be69cbde4c0e285d3532c7b");
  EXPECT_EQ(bytes.mid(16), QByteArray(8, '\0'));
}

TEST_F(ContactsBackupTest, TheDesktopReadsAndImportsWhatThePhoneWrites) {
  ScopedTimeZone zone("<+08>-8");
  PhoneContact ann = ContactWith({{kTitle, "Dr."},
                                  {kFirstName, QString::fromUtf8("安")},
                                  {kLastName, "Lee"},
                                  {kMobilePhone, "123"},
                                  {kNotes, "two\r\nlines"},
                                  {kRingTone, kRingTonePath}});
  ann.dates[Prop(kBackupItemBirthday)] = MakeDate(1980, 7, 4, 20);  // 5 July, local time
  ann.picture = "picture bytes";
  phone_.AddContact(ann);
  phone_.AddContact(ContactWith({{kFirstName, "Cy"}, {kRingTone, kRingTonePath}}));
  phone_.AddContact(
      ContactWith({{kFirstName, "Di"}, {kRingTone, "\\Application Data\\Sounds\\RING.wav"}}));
  phone_.AddContact(ContactWith({{kFirstName, "Ed"}, {kRingTone, "\\fifo.wav"}}));
  phone_.AddSimEntry(1, "Bob", "456");
  ASSERT_TRUE(QDir().mkpath(PhoneFile("Application Data/Sounds")));
  WriteFileBytes(PhoneFile("Application Data/Sounds/ring.wav"), "RIFF tone");
  FifoWithWriter fifo(PhoneFile("fifo.wav"));

  ExpectMessage("Backup succeed.");
  EXPECT_EQ(Backup("phone.vbx"), 1.0);

  ContactsBackupReader reader(kDesktopDialect);
  ASSERT_EQ(reader.Open(Path("phone.vbx")), ContactsBackupReader::OpenResult::kOk);
  std::uint32_t count = 0;
  ASSERT_TRUE(reader.ReadRecordCount(&count));
  ASSERT_EQ(count, 5u);
  BackupRecord record;
  ASSERT_TRUE(reader.ReadRecord(&record));
  EXPECT_EQ(record.type, kRecordTypePhone);
  EXPECT_EQ(record.phone.items[kFirstName], WideToAnsi(QString::fromUtf8("安")));
  EXPECT_EQ(record.phone.items[kNotes], "two\r\nlines");
  EXPECT_EQ(record.phone.items[kNickName], "");
  EXPECT_EQ(record.phone.birthday, (BackupDate{1980, 7, 5}));
  EXPECT_TRUE(record.phone.anniversary.IsNone());
  EXPECT_EQ(record.phone.picture, "picture bytes");
  for (int contact = 2; contact <= 4; ++contact) ASSERT_TRUE(reader.ReadRecord(&record));
  ASSERT_TRUE(reader.ReadRecord(&record));
  EXPECT_EQ(record.type, kRecordTypeSim);
  EXPECT_EQ(record.sim.name, "Bob");
  EXPECT_EQ(record.sim.number, "456");
  // One entry per distinct path (compared case-sensitively); a file that cannot be read still
  // gets its entry, with four zero bytes, and so does a FIFO, which is not read (that would wait
  // for a writer).
  std::int32_t ringTones = 0;
  ASSERT_TRUE(reader.ReadRingToneCount(&ringTones));
  ASSERT_EQ(ringTones, 3);
  RingToneEntry tone;
  ASSERT_TRUE(reader.ReadRingTone(&tone));
  EXPECT_EQ(tone.name, kRingTonePath);
  EXPECT_EQ(tone.data, "RIFF tone");
  ASSERT_TRUE(reader.ReadRingTone(&tone));
  EXPECT_EQ(tone.name, "\\Application Data\\Sounds\\RING.wav");
  EXPECT_EQ(tone.data, QByteArray(4, '\0'));
  ASSERT_TRUE(reader.ReadRingTone(&tone));
  EXPECT_EQ(tone.data, QByteArray(4, '\0'));
  EXPECT_EQ(reader.Position(), reader.FileSize());

  InsertContacts({});  // the desktop program's table, as its start-up makes it
  ASSERT_EQ(ImportContactsBackup(Path("phone.vbx"), Path("Contact.cdt"), nullptr).result,
            BackupImportResult::kComplete);
  EXPECT_EQ(CountContactRows(), 5);
  EXPECT_EQ(ColumnValue("First_Name", "Last_Name = 'Lee'"), QString::fromUtf8("安"));
  EXPECT_EQ(ColumnValue("Birthday", "Last_Name = 'Lee'"), "1980-7-5");
  EXPECT_EQ(ColumnValue("Mobile_Phone", "SIM_Name = 'Bob'"), "456");
  EXPECT_EQ(ReadFileBytes(Path("Ring/ring.wav")), "RIFF tone");
}

TEST_F(ContactsBackupTest, ADateThatCannotBeConvertedIsWrittenAsYearMinusOne) {
  PhoneContact ann = ContactWith({{kFirstName, "Ann"}});
  ann.dates[Prop(kBackupItemBirthday)] = MakeFileTime(0x8000000000000000ull);
  phone_.AddContact(ann);
  ExpectMessage("Backup succeed.");
  Backup("odd.vbx");

  ContactsBackupReader reader(kPhoneDialect);
  ASSERT_EQ(reader.Open(Path("odd.vbx")), ContactsBackupReader::OpenResult::kOk);
  std::uint32_t count = 0;
  ASSERT_TRUE(reader.ReadRecordCount(&count));
  BackupRecord record;
  ASSERT_TRUE(reader.ReadRecord(&record));
  EXPECT_EQ(record.phone.birthday, (BackupDate{-1, 0xFFFF, 0xFFFF}));
  EXPECT_TRUE(record.phone.anniversary.IsNone());
}

TEST_F(ContactsBackupTest, ContactsThatCannotBeReadShowAsAShortfall) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  const CEOID unreadable = phone_.AddContact(ContactWith({{kFirstName, "Bob"}}));
  phone_.AddSimEntry(3, "Cy", "1");
  phone_.FailCall(PhoneCall::kItemGetProps, unreadable);
  ExpectMessage("The Contacts has 3 items,but had backup 2 items!");
  EXPECT_EQ(Backup("short.vbx"), 1.0);  // every position was passed
  EXPECT_EQ(StoredCount("short.vbx"), 2u);
}

TEST_F(ContactsBackupTest, AContactsFolderThatCannotBeReadIsNotReportedAsSuccess) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  phone_.AddSimEntry(1, "Bob", "1");
  phone_.FailCall(PhoneCall::kGetDefaultFolder);
  ExpectMessage("Can't read the Outlook contacts, only had backup 1 SIM items!");
  EXPECT_DOUBLE_EQ(Backup("sim.vbx"), 2.0 / 3.0);
  EXPECT_EQ(StoredCount("sim.vbx"), 1u);
}

// Counts in the file are 32-bit: a larger ring tone would make a file the restore refuses. It is
// not read; the backup fails and keeps the file that was there. The ring tone is a sparse file,
// which takes no room on the disk.
TEST_F(ContactsBackupTest, ARingToneTooLargeForTheFileFailsTheBackup) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}, {kRingTone, "\\huge.wav"}}));
  QFile huge(PhoneFile("huge.wav"));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxBackupBytes + 1));
  huge.close();
  WriteFileBytes(Path("out.vbx"), "old");
  ExpectMessage("Can't write file:" + Path("out.vbx"));
  Backup("out.vbx");
  EXPECT_EQ(ReadFileBytes(Path("out.vbx")), "old");
}

TEST_F(ContactsBackupTest, AFileThatCannotBeCreatedEndsTheJobWithAMessage) {
  for (const QString name : {"missing/contacts.vbx", "missing/contacts.txt"}) {
    ExpectMessage("Can't create file:" + Path(name));
    Backup(name);
    EXPECT_FALSE(QFileInfo::exists(Path(name)));
  }
}

TEST_F(ContactsBackupTest, OnlyALowerCaseTxtExtensionChoosesTheTextListing) {
  EXPECT_EQ(BackupModeForPath("/sd/contacts.txt"), ContactsBackupMode::kText);
  EXPECT_EQ(BackupModeForPath("/sd/contacts.TXT"), ContactsBackupMode::kFile);
  EXPECT_EQ(BackupModeForPath("/sd/contacts.txt.vbx"), ContactsBackupMode::kFile);
  EXPECT_EQ(BackupModeForPath("/sd/contacts"), ContactsBackupMode::kFile);
  ExpectMessage("Backup succeed.");
  Backup("contacts.TXT");
  EXPECT_EQ(ReadFileBytes(Path("contacts.TXT")).size(), 24);
}

}  // namespace
