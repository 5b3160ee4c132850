#include "device/contacts/contacts_restore_job.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "desktop/exchange/backup/contacts_backup_export.h"
#include "tests/device/contacts/contacts_testing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scoped_time_zone.h"

namespace {

using namespace backup_item;

constexpr char kEastern[] = "EST5EDT,M3.2.0,M11.1.0";

class ContactsRestoreTest : public ContactsTest {
 protected:
  void WriteBackup(const QString& name, const BackupFileBuilder& builder) {
    WriteFileBytes(Path(name), builder.Bytes());
  }
  // Name (number) of each SIM entry by index.
  std::map<DWORD, QString> Sim() {
    std::map<DWORD, QString> entries;
    for (const auto& [index, entry] : phone_.SimEntries())
      entries[index] = entry.Name() + " (" + entry.Number() + ")";
    return entries;
  }
  QString Text(const PhoneContact& contact, int item) {
    auto found = contact.texts.find(Prop(item));
    return found != contact.texts.end() ? found->second : QString();
  }
};

// The calendar date of a stored time in local time, "y-m-d".
QString LocalDate(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME fields;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &fields)) return {};
  return QStringLiteral("%1-%2-%3").arg(fields.wYear).arg(fields.wMonth).arg(fields.wDay);
}

TEST_F(ContactsRestoreTest, ABackupRestoredOnAnotherPhoneBacksUpToTheSameFile) {
  ScopedTimeZone zone(kEastern);  // west of UTC: midnight UTC is the day before here
  PhoneContact full;
  for (int item = 0; item < kBackupStringItems; ++item)
    full.texts[Prop(item)] = QString::fromUtf8("值 %1").arg(item);
  full.texts[Prop(kRingTone)] = "\\Sounds\\ring.wav";
  full.dates[Prop(kBackupItemBirthday)] = MakeDate(1980, 7, 5, 12);
  full.dates[Prop(kBackupItemAnniversary)] = MakeDate(2001, 1, 2, 15);
  full.picture = QByteArray("\x89PNG\0\x01", 6);
  phone_.AddContact(full);
  phone_.AddSimEntry(1, "Bob", "456");
  phone_.AddSimEntry(2, "Cy", "789");
  ASSERT_TRUE(QDir().mkpath(PhoneFile("Sounds")));
  WriteFileBytes(PhoneFile("Sounds/ring.wav"), "tone");
  ExpectMessage("Backup succeed.");
  Backup("first.vbx");

  qputenv(kPhoneRootVariable, Path("second phone").toLocal8Bit());
  PhoneSetup second;
  ExpectMessage("Restore succeed.");
  Restore("first.vbx");
  std::vector<PhoneContact> contacts = second.Contacts();
  ASSERT_EQ(contacts.size(), 1u);
  EXPECT_EQ(contacts[0].texts, full.texts);
  EXPECT_EQ(contacts[0].picture, full.picture);
  EXPECT_EQ(LocalDate(contacts[0].dates[Prop(kBackupItemBirthday)]), "1980-7-5");
  EXPECT_EQ(LocalDate(contacts[0].dates[Prop(kBackupItemAnniversary)]), "2001-1-2");
  EXPECT_EQ(ReadFileBytes(Path("second phone/Sounds/ring.wav")), "tone");

  ExpectMessage("Backup succeed.");
  Backup("second.vbx");
  EXPECT_EQ(ReadFileBytes(Path("second.vbx")), ReadFileBytes(Path("first.vbx")));
}

TEST_F(ContactsRestoreTest, ThreeCyclesOntoFreshPhonesGiveTheSameFileInAnyTimeZone) {
  for (int i = 0; i < 3; ++i) {
    PhoneContact contact = ContactWith({{kFirstName, QString::fromUtf8("张%1").arg(i)},
                                        {kLastName, "Lee"},
                                        {kNotes, "two\r\nlines"},
                                        {kRingTone, "\\Sounds\\ring.wav"}});
    contact.picture = QByteArray(100 + i, static_cast<char>(i));
    phone_.AddContact(contact);
  }
  // Birthdays near midnight UTC, and on the day clocks skip midnight in one of the zones.
  const FILETIME birthdays[] = {MakeDate(1980, 7, 5, 0, 30), MakeDate(2001, 3, 25, 23, 59),
                                MakeDate(2010, 10, 17, 3)};
  for (const FILETIME& birthday : birthdays) {
    PhoneContact contact = ContactWith({{kFirstName, "Born"}});
    contact.dates[Prop(kBackupItemBirthday)] = birthday;
    contact.dates[Prop(kBackupItemAnniversary)] = birthday;
    phone_.AddContact(contact);
  }
  phone_.AddSimEntry(3, "Bob", "456");
  ASSERT_TRUE(QDir().mkpath(PhoneFile("Sounds")));
  WriteFileBytes(PhoneFile("Sounds/ring.wav"), "tone");

  int fresh = 0;
  for (const char* rule : kTimeZonesAroundTheWorld) {
    SCOPED_TRACE(rule);
    ScopedTimeZone zone(rule);
    qputenv(kPhoneRootVariable, PhoneFile("").toLocal8Bit());
    ExpectMessage("Backup succeed.");
    Backup("cycle0.vbx");
    for (int cycle = 1; cycle <= 3; ++cycle) {
      qputenv(kPhoneRootVariable, Path(QStringLiteral("phone%1").arg(++fresh)).toLocal8Bit());
      ExpectMessage("Restore succeed.");
      Restore(QStringLiteral("cycle%1.vbx").arg(cycle - 1));
      ExpectMessage("Backup succeed.");
      Backup(QStringLiteral("cycle%1.vbx").arg(cycle));
      EXPECT_EQ(ReadFileBytes(Path(QStringLiteral("cycle%1.vbx").arg(cycle))),
                ReadFileBytes(Path("cycle0.vbx")))
          << cycle;
    }
  }
}

TEST_F(ContactsRestoreTest, DatesThatNameNoDayAreReportedAndTheirContactsRestored) {
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddPhone({{kFirstName, "Ann"}}, {1980, 7, 5})
                           .AddPhone({{kFirstName, "Bob"}}, {2000, 2, 30}, {2001, 13, 1}));
  ExpectMessage("Restore succeed.\nInvalid dates not restored: 2 (the first in No.2: 2000-2-30).");
  Restore("a.vbx");
  const std::vector<PhoneContact> contacts = phone_.Contacts();
  ASSERT_EQ(contacts.size(), 2u);
  EXPECT_EQ(contacts[0].dates.size(), 1u);
  EXPECT_TRUE(contacts[1].dates.empty());
}

TEST_F(ContactsRestoreTest, RestoringTwiceLeavesOneCopyOfEachName) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}, {kCompany, "Old"}}));
  phone_.AddContact(ContactWith({{kFirstName, "ann"}}));
  phone_.AddSimEntry(1, "Bob", "111");
  phone_.AddSimEntry(2, "Cy", "999");
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddPhone({{kFirstName, "Ann"}, {kCompany, "New"}})
                           .AddSim("Bob", "222")
                           .AddSim("ann", "333"));

  // "Ann" replaces "Ann" only; the SIM's "ann" replaces the contact "ann".
  ExpectMessage("Restore succeed.");
  Restore("a.vbx");
  EXPECT_EQ(FirstNames(), QStringList{"Ann"});
  EXPECT_EQ(Text(phone_.Contacts()[0], kCompany), "New");
  EXPECT_EQ(Sim(), (std::map<DWORD, QString>{{2, "Cy (999)"}, {3, "Bob (222)"}, {4, "ann (333)"}}));

  ExpectMessage("Restore succeed.");
  Restore("a.vbx");
  EXPECT_EQ(FirstNames(), QStringList{"Ann"});
  EXPECT_EQ(Sim(), (std::map<DWORD, QString>{{1, "Bob (222)"}, {2, "Cy (999)"}, {5, "ann (333)"}}));
}

TEST_F(ContactsRestoreTest, AContactWithNoNameReplacesEveryContactWithNoName) {
  phone_.AddContact(ContactWith({{kCompany, "Velthorn"}}));
  phone_.AddContact(ContactWith({{kNickName, "Nick"}}));  // the nickname is no part of the name
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  WriteBackup("a.vbx", BackupFileBuilder().AddPhone({{kNotes, "restored"}}));
  ExpectMessage("Restore succeed.");
  Restore("a.vbx");
  std::vector<PhoneContact> contacts = phone_.Contacts();
  ASSERT_EQ(contacts.size(), 2u);
  EXPECT_EQ(Text(contacts[0], kFirstName), "Ann");
  EXPECT_EQ(Text(contacts[1], kNotes), "restored");
}

TEST_F(ContactsRestoreTest, SimRecordsFillTheFreeSlotsFromTheLowestIndex) {
  phone_.SetSimCapacity(3, 8);
  phone_.AddSimEntry(3, "A", "1");
  phone_.AddSimEntry(5, "B", "2");
  WriteBackup("a.vbx", BackupFileBuilder().AddSim("x", "7").AddSim("y", "8").AddSim("z", "9"));
  ExpectMessage("Restore succeed.");
  Restore("a.vbx");
  EXPECT_EQ(Sim(), (std::map<DWORD, QString>{
                       {3, "A (1)"}, {4, "x (7)"}, {5, "B (2)"}, {6, "y (8)"}, {7, "z (9)"}}));
}

TEST_F(ContactsRestoreTest, AFullSimKeepsItsEntriesAndReportsTheShortfall) {
  phone_.SetSimCapacity(1, 2);
  phone_.AddSimEntry(1, "A", "1");
  phone_.AddSimEntry(2, "B", "2");
  WriteBackup("a.vbx", BackupFileBuilder().AddSim("A", "new"));
  ExpectMessage("The restore file has 1 items,but only had Finish 0 items!");
  Restore("a.vbx");
  EXPECT_EQ(Sim(), (std::map<DWORD, QString>{{1, "A (1)"}, {2, "B (2)"}}));
}

TEST_F(ContactsRestoreTest, LongSimTextsKeep255CharactersAndAreReplacedNextTime) {
  const QByteArray name(300, 'n');
  const QByteArray number(300, '1');
  WriteBackup("a.vbx", BackupFileBuilder().AddSim(name, number));
  for (int run = 0; run < 2; ++run) {
    ExpectMessage("Restore succeed.");
    Restore("a.vbx");
  }
  std::map<DWORD, SimEntry> entries = phone_.SimEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries.begin()->second.Name(), QString(255, 'n'));
  EXPECT_EQ(entries.begin()->second.Number(), QString(255, '1'));
}

TEST_F(ContactsRestoreTest, RingTonesAreWrittenOnlyWhereMissingAndInsideThePhone) {
  ASSERT_TRUE(QDir().mkpath(PhoneFile("Sounds")));
  WriteFileBytes(PhoneFile("Sounds/old.wav"), "the phone's own");
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddRingTone("\\Sounds\\old.wav", "from the file")
                           .AddRingTone("\\Sounds\\New\\Deep\\new.wav", "new tone")
                           .AddRingTone("Relative\\r.wav", "relative")
                           .AddRingTone("..\\..\\evil.wav", "escape")
                           .AddRingTone("\\phone.db-journal", "a hot journal"));
  ExpectMessage("Write RingTone:..\\..\\evil.wav Error!");
  ExpectMessage("Write RingTone:\\phone.db-journal Error!");
  ExpectMessage("Restore succeed.");
  Restore("a.vbx");
  EXPECT_FALSE(QFileInfo::exists(PhoneFile("phone.db-journal")));
  EXPECT_EQ(ReadFileBytes(PhoneFile("Sounds/old.wav")), "the phone's own");
  EXPECT_EQ(ReadFileBytes(PhoneFile("Sounds/New/Deep/new.wav")), "new tone");
  EXPECT_EQ(ReadFileBytes(PhoneFile("Relative/r.wav")), "relative");
  EXPECT_FALSE(QFileInfo::exists(Path("evil.wav")));
  EXPECT_FALSE(QFileInfo::exists(QDir(Path("..")).filePath("evil.wav")));
}

TEST_F(ContactsRestoreTest, WithoutASimRangeTheRecordsStopButTheRestStillHappens) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}, {kCompany, "Old"}}));
  phone_.FailCall(PhoneCall::kSimGetDevCaps);
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddPhone({{kFirstName, "Ann"}, {kCompany, "New"}})
                           .AddSim("Bob", "1")
                           .AddPhone({{kFirstName, "Cy"}})
                           .AddRingTone("\\r.wav", "tone"));
  ExpectMessage("Restore sim contacts error!");
  ExpectMessage("The restore file has 3 items,but only had Finish 1 items!");
  Restore("a.vbx");
  EXPECT_EQ(FirstNames(), QStringList{"Ann"});
  EXPECT_EQ(Text(phone_.Contacts()[0], kCompany), "New");
  EXPECT_EQ(ReadFileBytes(PhoneFile("r.wav")), "tone");
}

TEST_F(ContactsRestoreTest, ARecordThatCannotBeSavedLeavesThePhonesCopy) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}, {kCompany, "Old"}}));
  phone_.FailCall(PhoneCall::kItemSave, 0);  // new items are saved under object id 0
  WriteBackup("a.vbx", BackupFileBuilder().AddPhone({{kFirstName, "Ann"}, {kCompany, "New"}}));
  ExpectMessage("The restore file has 1 items,but only had Finish 0 items!");
  Restore("a.vbx");
  ASSERT_EQ(FirstNames(), QStringList{"Ann"});
  EXPECT_EQ(Text(phone_.Contacts()[0], kCompany), "Old");
}

TEST_F(ContactsRestoreTest, DamagedFilesChangeNothing) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  ExpectMessage("Can't open file:" + Path("missing.vbx"));
  Restore("missing.vbx");

  QByteArray bytes = BackupFileBuilder().AddPhone({{kFirstName, "Ann"}}).AddSim("Bob", "1").Bytes();
  WriteFileBytes(Path("longer.vbx"), bytes + '\0');
  ExpectMessage("File Validation Failed.");
  Restore("longer.vbx");

  // The same length, so the digest still holds, but the last string's count runs past the end.
  bytes.replace(bytes.size() - 4 - 1 - 4, 4, BackupFileBuilder::Int32(0x7FFFFFFF));
  WriteFileBytes(Path("damaged.vbx"), bytes);
  ExpectMessage("File Validation Failed.");
  Restore("damaged.vbx");

  ASSERT_EQ(phone_.Contacts().size(), 1u);
  EXPECT_TRUE(phone_.SimEntries().empty());
}

TEST_F(ContactsRestoreTest, ARecordOfAnUnknownTypeHasNoBodyAndIsNotCounted) {
  QByteArray bytes = QByteArray(16, '\0') + BackupFileBuilder::Int32(2) + '\x09' + '\x02' +
                     BackupFileBuilder::String("Bob") + BackupFileBuilder::String("1") +
                     BackupFileBuilder::Int32(0);
  WriteFileBytes(Path("a.vbx"), BackupFileBuilder::WithDigest(bytes));
  ExpectMessage("The restore file has 2 items,but only had Finish 1 items!");
  Restore("a.vbx");
  EXPECT_EQ(Sim(), (std::map<DWORD, QString>{{1, "Bob (1)"}}));
}

TEST_F(ContactsRestoreTest, AFileExportedByTheDesktopRestores) {
  ScopedTimeZone zone(kEastern);
  SampleContact ann = SamplePhoneContact("Ann", "Lee", "123");
  ann.Set("Birthday", "1980-7-5").Set("Ring_Tone", "\\Sounds\\r.wav");
  ann.picture = "picture";
  InsertContacts({ann, SampleSimContact("Bob", "456")});
  ASSERT_TRUE(QDir().mkpath(Path("Ring")));
  WriteFileBytes(Path("Ring/r.wav"), "tone");
  script_.ExpectTips(162, "Contacts exported complete!");
  ASSERT_TRUE(ExportContactsBackup(Path("desktop.cbk"), Path("Contact.cdt"), nullptr));

  ExpectMessage("Restore succeed.");
  Restore("desktop.cbk");
  std::vector<PhoneContact> contacts = phone_.Contacts();
  ASSERT_EQ(contacts.size(), 1u);
  EXPECT_EQ(contacts[0].texts, ContactWith({{kFirstName, "Ann"},
                                            {kLastName, "Lee"},
                                            {kMobilePhone, "123"},
                                            {kRingTone, "\\Sounds\\r.wav"}})
                                   .texts);
  EXPECT_EQ(LocalDate(contacts[0].dates[Prop(kBackupItemBirthday)]), "1980-7-5");
  EXPECT_EQ(contacts[0].picture, "picture");
  EXPECT_EQ(Sim(), (std::map<DWORD, QString>{{1, "Bob (456)"}}));
  EXPECT_EQ(ReadFileBytes(PhoneFile("Sounds/r.wav")), "tone");
}

}  // namespace
