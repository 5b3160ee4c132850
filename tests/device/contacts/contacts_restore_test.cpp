#include "device/contacts/contacts_restore_job.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "desktop/exchange/backup/contacts_backup_export.h"
#include "platform/device/stores/phone_database.h"
#include "tests/device/contacts/contacts_testing.h"
#include "tests/support/fifo_with_writer.h"
#include "tests/support/file_size_limit.h"
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
  // One item of each contact of the phone, in folder order.
  QStringList Items(int item) {
    QStringList texts;
    for (const PhoneContact& contact : PhoneSetup().Contacts()) texts << Text(contact, item);
    return texts;
  }
  QStringList Companies() { return Items(kCompany); }
  QStringList Notes() { return Items(kNotes); }
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

TEST_F(ContactsRestoreTest, RestoringTwiceLeavesTheFilesRecordsOnceAndReplacesWhatWasThere) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}, {kCompany, "Old"}}));
  phone_.AddContact(ContactWith({{kFirstName, "ann"}}));
  phone_.AddSimEntry(1, "Bob", "111");
  phone_.AddSimEntry(2, "Cy", "999");
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddPhone({{kFirstName, "Ann"}, {kCompany, "New 1"}})
                           .AddPhone({{kFirstName, "Ann"}, {kCompany, "New 2"}})
                           .AddSim("Bob", "222")
                           .AddSim("Bob", "333")
                           .AddSim("ann", "444"));
  // "Ann" replaces "Ann" only; the SIM's "ann" replaces the contact "ann".
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    ExpectMessage("Restore succeed.");
    Restore("a.vbx");
    EXPECT_EQ(Companies(), (QStringList{"New 1", "New 2"}));
    EXPECT_EQ(FirstNames(), (QStringList{"Ann", "Ann"}));
    EXPECT_EQ(Sim(), (std::map<DWORD, QString>{
                         {1, "Bob (222)"}, {2, "Cy (999)"}, {3, "Bob (333)"}, {4, "ann (444)"}}));
  }
}

TEST_F(ContactsRestoreTest, APhoneRestoredFromItsOwnBackupKeepsEverything) {
  for (const char* number : {"1", "2", "3", "4"})
    phone_.AddContact(
        ContactWith({{kFirstName, "Ben"}, {kLastName, "Taylor"}, {kMobilePhone, number}}));
  phone_.AddContact(ContactWith({{kCompany, "Velthorn"}}));
  phone_.AddContact(ContactWith({{kCompany, "Velthorn"}}));
  phone_.AddContact(ContactWith({{kNotes, "no name"}}));
  phone_.SetSimCapacity(1, 4);
  phone_.AddSimEntry(1, "Ann", "111");
  phone_.AddSimEntry(2, "Ann", "222");
  phone_.AddSimEntry(3, "Bob", "333");
  const std::vector<PhoneContact> contacts = phone_.Contacts();
  const std::map<DWORD, QString> sim = Sim();
  ExpectMessage("Backup succeed.");
  Backup("a.vbx");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    ExpectMessage("Restore succeed.");
    Restore("a.vbx");
    std::vector<PhoneContact> restored = phone_.Contacts();
    ASSERT_EQ(restored.size(), contacts.size());
    for (std::size_t i = 0; i < contacts.size(); ++i)
      EXPECT_EQ(restored[i].texts, contacts[i].texts);
    EXPECT_EQ(Sim(), sim);
  }
}

TEST_F(ContactsRestoreTest,
       AContactWithoutANameReplacesOnlyAnIdenticalOneAndEmptyOnesAreNotStored) {
  phone_.AddContact(ContactWith({{kCompany, "Velthorn"}}));
  phone_.AddContact(ContactWith({{kCompany, "Velthorn"}, {kNotes, "more"}}));
  phone_.AddContact(ContactWith({{kNickName, "Nick"}}));  // the nickname is no part of the name
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddPhone({{kCompany, "Velthorn"}})
                           .AddPhone({})
                           .AddPhone({}, {2000, 2, 30})  // a date that names no day is no value
                           .AddSim("", "")
                           .AddPhone({}, {}, {1999, 1, 2})
                           .AddPhone({{kNotes, "restored"}})
                           .AddPhone({}, {}, {}, "a picture is a value"));
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    ExpectMessage(
        "The restore file has 7 items,but only had Finish 4 items!\nEmpty records not restored: "
        "3.");
    Restore("a.vbx");
    EXPECT_EQ(Notes(), (QStringList{"more", "", "", "", "restored", ""}));
    EXPECT_EQ(Companies(), (QStringList{"Velthorn", "", "Velthorn", "", "", ""}));
    EXPECT_TRUE(phone_.SimEntries().empty());
  }
}

TEST_F(ContactsRestoreTest, SimEntriesTakeTheSlotsOfTheirNameThenTheLowestFreeOnes) {
  struct Case {
    const char* what;
    SIMCAPS range;
    std::map<DWORD, std::pair<QString, QString>> before;
    std::vector<std::pair<QByteArray, QByteArray>> file;
    std::function<void(PhoneSetup&)> fault;
    QString message;
    std::map<DWORD, QString> after;
  };
  const QString succeed = "Restore succeed.";
  const Case cases[] = {
      {"free slots from the lowest index, taken ones skipped",
       {3, 8},
       {{3, {"A", "1"}}, {5, {"B", "2"}}},
       {{"x", "7"}, {"y", "8"}, {"z", "9"}},
       nullptr,
       succeed,
       {{3, "A (1)"}, {4, "x (7)"}, {5, "B (2)"}, {6, "y (8)"}, {7, "z (9)"}}},
      {"a SIM with one free slot restored from its own backup",
       {1, 4},
       {{1, {"Ann", "111"}}, {2, {"Ann", "222"}}, {3, {"Bob", "333"}}},
       {{"Ann", "111"}, {"Ann", "222"}, {"Bob", "333"}},
       nullptr,
       succeed,
       {{1, "Ann (111)"}, {2, "Ann (222)"}, {3, "Bob (333)"}}},
      {"a full SIM keeps its entries when a new name does not fit",
       {1, 2},
       {{1, {"A", "1"}}, {2, {"B", "2"}}},
       {{"C", "3"}},
       nullptr,
       "The restore file has 1 items,but only had Finish 0 items!",
       {{1, "A (1)"}, {2, "B (2)"}}},
      {"the entries of a name that do not fit are the shortfall",
       {1, 3},
       {{1, {"A", "1"}}, {2, {"B", "2"}}},
       {{"A", "x"}, {"A", "y"}, {"A", "z"}},
       nullptr,
       "The restore file has 3 items,but only had Finish 2 items!",
       {{1, "A (x)"}, {2, "B (2)"}, {3, "A (y)"}}},
      {"entries without a name replace only identical ones",
       {1, 4},
       {{1, {"", "111"}}, {2, {"", "222"}}},
       {{"", "111"}, {"", "333"}},
       nullptr,
       succeed,
       {{1, " (111)"}, {2, " (222)"}, {3, " (333)"}}},
      {"a slot that cannot be read is not free; the highest slot is",
       {1, 3},
       {{2, {"A", "1"}}},
       {{"B", "2"}},
       [](PhoneSetup& phone) { phone.FailCall(PhoneCall::kSimReadPhonebookEntry, 1); },
       succeed,
       {{2, "A (1)"}, {3, "B (2)"}}},
      {"an entry that cannot be written keeps the old ones of its name",
       {1, 4},
       {{1, {"A", "1"}}, {2, {"A", "2"}}},
       {{"A", "x"}, {"A", "y"}},
       [](PhoneSetup& phone) { phone.FailCallOnce(PhoneCall::kSimWritePhonebookEntry, 1); },
       "The restore file has 2 items,but only had Finish 1 items!",
       {{1, "A (1)"}, {2, "A (2)"}, {3, "A (y)"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qputenv(kPhoneRootVariable, Path(c.what).toLocal8Bit());
    PhoneSetup phone;
    phone.SetSimCapacity(c.range.dwMinPBIndex, c.range.dwMaxPBIndex);
    for (const auto& [index, entry] : c.before) phone.AddSimEntry(index, entry.first, entry.second);
    if (c.fault) c.fault(phone);
    BackupFileBuilder file;
    for (const auto& [name, number] : c.file) file.AddSim(name, number);
    WriteBackup("a.vbx", file);
    ExpectMessage(c.message);
    Restore("a.vbx");
    std::map<DWORD, QString> after;
    for (const auto& [index, entry] : phone.SimEntries())
      after[index] = entry.Name() + " (" + entry.Number() + ")";
    EXPECT_EQ(after, c.after);
  }
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

// Links lead nowhere: not to the phone's root (and its journal), above it or to a file outside,
// and a FIFO is neither read nor written.
TEST_F(ContactsRestoreTest, RingTonesAreWrittenOnlyWhereMissingAndInsideThePhone) {
  ASSERT_TRUE(QDir().mkpath(PhoneFile("Sounds")));
  WriteFileBytes(PhoneFile("Sounds/old.wav"), "the phone's own");
  ASSERT_TRUE(QFile::link(".", PhoneFile("Up")));
  ASSERT_TRUE(QFile::link("../..", PhoneFile("Sounds/Out")));
  ASSERT_TRUE(QFile::link("../../outside.wav", PhoneFile("Sounds/link.wav")));
  FifoWithWriter fifo(PhoneFile("Sounds/fifo.wav"));
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddRingTone("\\Sounds\\old.wav", "from the file")
                           .AddRingTone("\\Sounds\\New\\Deep\\new.wav", "new tone")
                           .AddRingTone("Relative\\r.wav", "relative")
                           .AddRingTone("..\\..\\evil.wav", "escape")
                           .AddRingTone("\\phone.db-journal", "a hot journal")
                           .AddRingTone("\\Up\\phone.db-journal", "a hot journal")
                           .AddRingTone("\\Sounds\\Out\\evil.wav", "escape")
                           .AddRingTone("\\Sounds\\link.wav", "escape")
                           .AddRingTone("\\Sounds\\fifo.wav", "fifo"));
  for (const char* refused :
       {"..\\..\\evil.wav", "\\phone.db-journal", "\\Up\\phone.db-journal",
        "\\Sounds\\Out\\evil.wav", "\\Sounds\\link.wav", "\\Sounds\\fifo.wav"}) {
    ExpectMessage(QStringLiteral("Write RingTone:%1 Error!").arg(refused));
  }
  ExpectMessage("Restore succeed.");
  Restore("a.vbx");
  EXPECT_FALSE(QFileInfo::exists(PhoneFile("phone.db-journal")));
  EXPECT_FALSE(QFileInfo::exists(Path("outside.wav")));
  EXPECT_EQ(ReadFileBytes(PhoneFile("Sounds/old.wav")), "the phone's own");
  EXPECT_EQ(ReadFileBytes(PhoneFile("Sounds/New/Deep/new.wav")), "new tone");
  EXPECT_EQ(ReadFileBytes(PhoneFile("Relative/r.wav")), "relative");
  EXPECT_FALSE(QFileInfo::exists(Path("evil.wav")));
  EXPECT_FALSE(QFileInfo::exists(QDir(Path("..")).filePath("evil.wav")));
}

// Killed as it writes a ring tone, a restore leaves no cut file for the next one to keep.
TEST_F(ContactsRestoreTest, ARingToneCutByAKillIsWrittenWholeByTheNextRestore) {
  const QByteArray tone(1024 * 1024, 't');
  WriteBackup("a.vbx", BackupFileBuilder().AddRingTone("\\Sounds\\big.wav", tone));
  EXPECT_EQ(RunWithFileSizeLimit(tone.size() / 2, AtSizeLimit::kKill,
                                 [this] {
                                   Restore("a.vbx");
                                   return 0;
                                 }),
            -1);
  EXPECT_EQ(QDir(PhoneFile("Sounds")).entryList(QDir::Files | QDir::Hidden), QStringList());
  ExpectMessage("Restore succeed.");
  Restore("a.vbx");
  EXPECT_TRUE(ReadFileBytes(PhoneFile("Sounds/big.wav")) == tone);
}

TEST_F(ContactsRestoreTest, WithoutASimRangeTheRecordsStopButTheRestStillHappens) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}, {kCompany, "Old"}}));
  phone_.AddContact(ContactWith({{kFirstName, "Cy"}, {kCompany, "Old"}}));
  phone_.FailCall(PhoneCall::kSimGetDevCaps);
  WriteBackup("a.vbx", BackupFileBuilder()
                           .AddPhone({{kFirstName, "Ann"}, {kCompany, "New"}})
                           .AddSim("Bob", "1")
                           .AddPhone({{kFirstName, "Cy"}})
                           .AddPhone({{kFirstName, "Ann"}, {kCompany, "Newer"}})
                           .AddRingTone("\\r.wav", "tone"));
  ExpectMessage("Restore sim contacts error!");
  ExpectMessage("The restore file has 4 items,but only had Finish 1 items!");
  Restore("a.vbx");
  // The records left unrestored keep the contacts of their names, Ann's old one too.
  EXPECT_EQ(FirstNames(), (QStringList{"Ann", "Cy", "Ann"}));
  EXPECT_EQ(Companies(), (QStringList{"Old", "Old", "New"}));
  EXPECT_EQ(ReadFileBytes(PhoneFile("r.wav")), "tone");
}

TEST_F(ContactsRestoreTest, ARecordThatIsNotRestoredKeepsThePhonesContactsOfItsName) {
  struct Case {
    const char* what;
    PhoneCall call;
    bool once;
    QString message;
    QStringList companies;
  };
  const QString oneOfTwo = "The restore file has 2 items,but only had Finish 1 items!";
  const Case cases[] = {
      {"every property write fails",
       PhoneCall::kItemSetProps,
       false,
       "The restore file has 2 items,but only had Finish 0 items!",
       {"Old"}},
      {"the first property write fails",
       PhoneCall::kItemSetProps,
       true,
       oneOfTwo,
       {"Old", "Newer"}},
      {"the picture cannot be written", PhoneCall::kStreamWrite, true, oneOfTwo, {"Old", "Newer"}},
      {"the contact cannot be saved", PhoneCall::kItemSave, true, oneOfTwo, {"Old", "Newer"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qputenv(kPhoneRootVariable, Path(c.what).toLocal8Bit());
    PhoneSetup phone;
    phone.AddContact(ContactWith({{kFirstName, "Ann"}, {kCompany, "Old"}}));
    // New items are called under object id 0.
    if (c.once) {
      phone.FailCallOnce(c.call, 0);
    } else {
      phone.FailCall(c.call, 0);
    }
    WriteBackup("a.vbx", BackupFileBuilder()
                             .AddPhone({{kFirstName, "Ann"}, {kCompany, "New"}}, {}, {}, "picture")
                             .AddPhone({{kFirstName, "Ann"}, {kCompany, "Newer"}}, {}, {}, "pic"));
    ExpectMessage(c.message);
    Restore("a.vbx");
    EXPECT_EQ(Companies(), c.companies);
  }
}

// Each store call waits for the lock (5 s) before it gives up, so each case takes that long.
TEST_F(ContactsRestoreTest, ALockedStoreStopsTheRestoreAtTheFirstRecordItRefuses) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}, {kCompany, "Old"}}));
  BackupFileBuilder phoneFirst;
  phoneFirst.AddPhone({{kFirstName, "Ann"}, {kCompany, "New"}}).AddSim("Cy", "1");
  BackupFileBuilder simFirst;
  simFirst.AddSim("Cy", "1").AddPhone({{kFirstName, "Ann"}, {kCompany, "New"}});
  for (const BackupFileBuilder* file : {&phoneFirst, &simFirst}) {
    WriteBackup("a.vbx", *file);
    std::shared_ptr<PhoneDatabase> otherProgram = PhoneDatabase::Open();
    ASSERT_NE(otherProgram, nullptr);
    {
      PhoneTransaction hold(*otherProgram);
      ASSERT_TRUE(hold.IsActive());
      ExpectMessage(
          "The restore file has 2 items,but only had Finish 0 items!\nThe phone's contacts are "
          "locked by another program: stopped at No.1.");
      Restore("a.vbx");
    }
    EXPECT_EQ(Companies(), QStringList{"Old"});
    EXPECT_TRUE(phone_.SimEntries().empty());
  }
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
  WriteFileBytes(Path("a.vbx"), WithContactsDigest(bytes));
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
  ASSERT_EQ(ExportContactsBackup(Path("desktop.cbk"), Path("Contact.cdt"), nullptr).result,
            ExportResult::kWritten);

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
