#include "desktop/exchange/backup/contacts_backup_import.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/contact_fields.h"
#include "tests/support/backup_file_builder.h"
#include "tests/support/exchange_outcome_printing.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scoped_file_triggers.h"
#include "tests/support/working_folder.h"

namespace {

using Builder = BackupFileBuilder;
namespace item = backup_item;

const BackupImportOutcome kComplete{BackupImportResult::kComplete};
const BackupImportOutcome kFileError{BackupImportResult::kFileError};
const BackupImportOutcome kFail{BackupImportResult::kFailed};

class RecordingProgress : public ProgressSink {
 public:
  void Begin(int maximum) override { calls.push_back("begin " + std::to_string(maximum)); }
  void SetPosition(int position) override { calls.push_back(std::to_string(position)); }
  std::vector<std::string> calls;
};

const QByteArray kNote(2048, 'n');
constexpr int kTextType = SQLITE_TEXT;

// Imports in.cbk in a child process whose files cannot grow past `maxFileSize` bytes, as on a
// disk that is nearly full. True when the import reported success.
bool ImportOnAFullDisk(qint64 maxFileSize) {
  return RunWithFileSizeLimit(maxFileSize, AtSizeLimit::kFailWrites, [] {
           return ImportContactsBackup("in.cbk", "Contact.cdt", nullptr) == kComplete ? 0 : 1;
         }) == 0;
}

// A figure of the process's memory from /proc/self/status, in KiB: "VmRSS:" what is resident,
// "VmHWM:" the most that was.
long MemoryKib(const QByteArray& field) {
  for (const QByteArray& line : ReadFileBytes("/proc/self/status").split('\n')) {
    if (line.startsWith(field)) return line.mid(field.size()).trimmed().split(' ')[0].toLong();
  }
  return -1;
}

// The most memory an import of in.cbk takes beyond what the process held before, in MiB (at most
// 255), measured in a child process.
int ImportPeakMebibytes() {
  return RunInChildProcess([] {
    WriteFileBytes("/proc/self/clear_refs", "5");  // the most resident is what is resident now
    long before = MemoryKib("VmRSS:");
    ImportContactsBackup("in.cbk", "Contact.cdt", nullptr);
    return static_cast<int>(std::min(255L, (MemoryKib("VmHWM:") - before) / 1024));
  });
}

class ContactsBackupImportTest : public WorkingFolderTest {
 protected:
  void SetUp() override {
    ViewState state;
    ASSERT_TRUE(InitContactDatabase(state));
  }

  BackupImportOutcome Import(const QByteArray& file, ProgressSink* progress = nullptr) {
    WriteFileBytes("in.cbk", file);
    return ImportContactsBackup("in.cbk", "Contact.cdt", progress);
  }

  static QByteArray Person(const QByteArray& first, const QByteArray& last,
                           const QByteArray& mobile = {}) {
    return Builder()
        .AddPhone(
            {{item::kFirstName, first}, {item::kLastName, last}, {item::kMobilePhone, mobile}})
        .Bytes();
  }
};

// Four "Ben Taylor" with four numbers and two SIM entries "Ann" are six contacts: each replaces
// the rows of its name stored before the import, never a record of its own file.
TEST_F(ContactsBackupImportTest, RecordsOfOneFileNeverReplaceEachOther) {
  InsertContacts({SamplePhoneContact("Ben", "Taylor", "old"), SampleSimContact("Taylor,Ben", "sim"),
                  SamplePhoneContact("Ben", "Taylor", "old"),
                  SamplePhoneContact("Eve", "Doe", "5")});
  Builder file;
  for (const char* number : {"1", "2", "3", "4"}) {
    file.AddPhone(
        {{item::kFirstName, "Ben"}, {item::kLastName, "Taylor"}, {item::kMobilePhone, number}});
  }
  file.AddSim("Ann", "111").AddSim("Ann", "222");
  const QByteArrayList expected = {"Doe,Eve:5",    "Taylor,Ben:1", "Taylor,Ben:2", "Taylor,Ben:3",
                                   "Taylor,Ben:4", "Ann:111",      "Ann:222"};
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Import(file.Bytes()), kComplete);
    EXPECT_EQ(ColumnBytes("SIM_Name || ':' || Mobile_Phone"), expected) << "pass " << pass;
  }
}

// A nameless record replaces only a stored nameless row that holds all its values; a record
// without any value is no contact and is not stored.
TEST_F(ContactsBackupImportTest, NamelessRecordsReplaceOnlyIdenticalRows) {
  // Values that, one after the other, hold the same bytes, a text value's type among them.
  const QByteArray type(reinterpret_cast<const char*>(&kTextType), sizeof kTextType);
  EXPECT_EQ(Import(Builder()
                       .AddPhone({{item::kCompany, "Acme"}, {item::kNotes, "old"}})
                       .AddPhone({{item::kCompany, "Acmf"}})  // as long as "Acme", not equal
                       .AddPhone({{item::kCompany, "a"}, {item::kNotes, type + "b"}})
                       .Bytes()),
            kComplete);
  QByteArray file = Builder()
                        .AddPhone({{item::kCompany, "Acme"}})
                        .AddPhone({{item::kCompany, "Acme"}})
                        .AddPhone({{item::kCompany, "Initech"}})
                        .AddSim("", "555")
                        .AddPhone({}, {}, {}, "picture")
                        .AddPhone({})
                        .AddSim("", "")
                        .AddPhone({{item::kCompany, "a" + type}, {item::kNotes, "b"}})
                        .Bytes();
  const QByteArrayList expected = {"1:Acme:old:0", "1:Acmf::0", "1:a:" + type + "b:0",
                                   "1:Acme::0",    "1:Acme::0", "1:Initech::0",
                                   "2:::0",        "1:::1",     "1:a" + type + ":b:0"};
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_EQ(Import(file), kComplete);
    EXPECT_EQ(ColumnBytes("ContactType || ':' || ifnull(Company, '') || ':' || ifnull(Notes, '') "
                          "|| ':' || hasPic"),
              expected)
        << "pass " << pass;
  }
  EXPECT_EQ(CountContactRows("SIM_Name <> ''"), 0);
}

TEST_F(ContactsBackupImportTest, IndexesAreAsBeforeAfterwards) {
  EXPECT_EQ(Import(Person("John", "Smith")), kComplete);
  EXPECT_EQ(Import(Person("John", "Smith")), kComplete);
  DatabaseConnection db;
  SqlStatement indexes(db, "select name from sqlite_master where type = 'index' order by name");
  QStringList names;
  while (indexes.Step() == SQLITE_ROW) names << indexes.ColumnText(0);
  EXPECT_EQ(names, QStringList({"Contact_View_Order"}));
}

// Records are read a few megabytes at a time however large they are: 100 contacts with pictures of
// 1 MB each never take 100 MB at once (the whole file, in one batch of up to 512 records).
TEST_F(ContactsBackupImportTest, LargeRecordsAreReadAFewMegabytesAtATime) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer keeps what is freed for a while: the memory says nothing";
#endif
  ContactsBackupWriter writer;
  ASSERT_TRUE(writer.Create("in.cbk", 100));
  PhoneContactBody contact;
  contact.picture = QByteArray(1024 * 1024, 'p');
  for (int i = 0; i < 100; ++i) {
    contact.items[item::kFirstName] = QByteArray::number(i);
    ASSERT_TRUE(writer.WritePhoneRecord(contact));
  }
  ASSERT_TRUE(writer.WriteRingToneCount(0) && writer.Finish());
  // Every record is read, and refused: nothing is written.
  ScopedFileTriggers triggers;
  ASSERT_EQ(DatabaseConnection().Exec("create trigger Refuse before insert on Contact_Table "
                                      "begin select raise(abort, 'refused'); end"),
            SQLITE_OK);
  EXPECT_LT(ImportPeakMebibytes(), 64);
}

TEST_F(ContactsBackupImportTest, ValuesAreStoredExactly) {
  for (const ExactValue& exact : ExactValues()) {
    QByteArray value = WideToAnsi(exact.text);
    QByteArray file =
        Builder().AddPhone({{item::kFirstName, value}, {item::kNotes, value}}).Bytes();
    EXPECT_EQ(Import(file), kComplete) << exact.what;
    EXPECT_EQ(Import(file), kComplete) << exact.what;  // replaces the contact of that name
    for (const char* column : {"First_Name", "Notes", "SIM_Name"}) {
      EXPECT_EQ(ColumnBytes(column), QByteArrayList{value}) << exact.what << " " << column;
    }
    DatabaseConnection().Exec("delete from Contact_Table");
  }
}

TEST_F(ContactsBackupImportTest, ComposesNamesAndTrimsValues) {
  QByteArray file = Builder()
                        .AddPhone({{item::kFirstName, " John "},
                                   {item::kMiddleName, "Paul"},
                                   {item::kLastName, "Smith\t"},
                                   {item::kNotes, "  note  "}})
                        .AddPhone({{item::kLastName, "Lee"}})
                        .AddPhone({{item::kFirstName, "Ana"}, {item::kTitle, "Dr"}})
                        .AddPhone({{item::kMiddleName, "Q"}})
                        .AddPhone({{item::kFirstName, WideToAnsi(QString::fromUtf8("张伟"))}})
                        .Bytes();
  EXPECT_EQ(Import(file), kComplete);
  EXPECT_EQ(ColumnValue("First_Name", "SIM_Name='Smith,John Paul'"), "John");
  EXPECT_EQ(ColumnValue("Notes", "SIM_Name='Smith,John Paul'"), "note");
  EXPECT_EQ(CountContactRows("SIM_Name='Lee,'"), 1);
  EXPECT_EQ(CountContactRows("SIM_Name='Ana'"), 1);
  EXPECT_EQ(CountContactRows("SIM_Name=' Q'"), 1);
  EXPECT_EQ(ColumnValue("SIM_Name", "ID=5"), QString::fromUtf8("张伟"));
}

TEST_F(ContactsBackupImportTest, EveryItemLandsInItsColumn) {
  std::map<int, QByteArray> items;
  for (int i = 0; i < kBackupStringItems; ++i) items[i] = "v" + QByteArray::number(i) + "'";
  QByteArray picture("\x89PNG\0'\xff", 7);
  EXPECT_EQ(Import(Builder().AddPhone(items, {1980, 7, 5}, {2001, 12, 25}, picture).Bytes()),
            kComplete);

  DatabaseConnection db;
  SqlStatement row(db, "select * from Contact_Table");
  ASSERT_EQ(row.Step(), SQLITE_ROW);
  for (int i = 0; i < kBackupStringItems; ++i) {
    EXPECT_EQ(row.ColumnBytes(BackupItemColumns()[i]), items[i]) << "item " << i;
  }
  EXPECT_EQ(row.ColumnText(kColumnBirthday), "1980-7-5");
  EXPECT_EQ(row.ColumnText(kColumnAnniversary), "2001-12-25");
  EXPECT_EQ(row.ColumnBytes(kColumnPicture), picture);
  EXPECT_EQ(row.ColumnInt(kColumnHasPic), 1);
  EXPECT_EQ(row.ColumnInt(kColumnContactType), 1);
  EXPECT_EQ(row.ColumnText(kColumnSimName), "v3',v1' v2'");
}

TEST_F(ContactsBackupImportTest, ContactWithoutPictureOrDates) {
  EXPECT_EQ(Import(Person("John", "Smith")), kComplete);
  EXPECT_EQ(ColumnValue("hasPic", "SIM_Name='Smith,John'"), "0");
  EXPECT_EQ(ColumnValue("Picture", "SIM_Name='Smith,John'"), "");
  EXPECT_EQ(ColumnValue("Birthday", "SIM_Name='Smith,John'"), "");
}

TEST_F(ContactsBackupImportTest, SimRecordFillsItsFourColumns) {
  EXPECT_EQ(Import(Builder().AddSim("Ann", "123").AddSim("Bob", "", 7).Bytes()), kComplete);
  EXPECT_EQ(CountContactRows("ContactType=2 and First_Name='Ann' and File_As='Ann' and "
                             "SIM_Name='Ann' and Mobile_Phone='123'"),
            1);
  // Any type byte other than 1 carries a SIM body.
  EXPECT_EQ(CountContactRows("ContactType=2 and SIM_Name='Bob' and Mobile_Phone=''"), 1);
}

TEST_F(ContactsBackupImportTest, ZeroRecordsStillStoresRingTones) {
  InsertContacts({SamplePhoneContact("John", "Smith")});
  RecordingProgress progress;
  EXPECT_EQ(Import(Builder().AddRingTone("ring.wav", "RIFF").Bytes(), &progress), kComplete);
  EXPECT_EQ(CountContactRows(), 1);
  EXPECT_EQ(ReadFileBytes("Ring/ring.wav"), "RIFF");
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"begin 0"}));
}

TEST_F(ContactsBackupImportTest, ProgressFollowsTheRecords) {
  RecordingProgress progress;
  Import(Builder().AddSim("A", "1").AddSim("B", "2").Bytes(), &progress);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"begin 2", "1", "2"}));
}

// An entry that holds no tone (the phone had lost its file) keeps the good copy here.
TEST_F(ContactsBackupImportTest, RingTonesGoToRingUnderTheirLastComponent) {
  QDir().mkpath("Ring");
  WriteFileBytes("Ring/a.wav", "old bytes that are longer");
  WriteFileBytes("Ring/kept.wav", "good copy");
  WriteFileBytes("Ring/kept2.wav", "good copy");
  QDir().mkpath("Ring/busy.wav");  // a folder in the way: this entry cannot be written
  QByteArray file = Builder()
                        .AddRingTone("\\Application Data\\Sounds\\a.wav", "new")
                        .AddRingTone("plain.mid", "MThd")
                        .AddRingTone("\\busy.wav", "x")
                        .AddRingTone("\\kept.wav", QByteArray(4, '\0'))
                        .AddRingTone("\\kept2.wav", "")
                        .AddRingTone("\\lost.wav", QByteArray(4, '\0'))
                        .AddRingTone("last.wav", "L")
                        .Bytes();
  EXPECT_EQ(Import(file), (BackupImportOutcome{BackupImportResult::kComplete, {.unwritable = 1}}));
  EXPECT_EQ(ReadFileBytes("Ring/a.wav"), "new");  // replaced, never appended
  EXPECT_EQ(ReadFileBytes("Ring/plain.mid"), "MThd");
  EXPECT_EQ(ReadFileBytes("Ring/kept.wav"), "good copy");
  EXPECT_EQ(ReadFileBytes("Ring/kept2.wav"), "good copy");
  EXPECT_EQ(ReadFileBytes("Ring/lost.wav"), QByteArray(4, '\0'));
  EXPECT_EQ(ReadFileBytes("Ring/last.wav"), "L");
}

// Neither a link in the ring-tone folder nor a ring-tone folder that is a link lets a ring tone
// replace the database: that entry is not written, and neither is anything through the link.
TEST_F(ContactsBackupImportTest, NoRingToneIsWrittenThroughALink) {
  WriteFileBytes("in.cbk",
                 Builder().AddRingTone("Contact.cdt", "tone").AddRingTone("ok.wav", "ok").Bytes());
  struct Case {
    const char* link;
    const char* target;
    int unwritable;
  };
  for (const Case& linked :
       {Case{"a/Ring/Contact.cdt", "../Contact.cdt", 1}, Case{"b/Ring", ".", 2}}) {
    const QString folder = QString(linked.link).left(1);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(linked.link).path()));
    ASSERT_TRUE(QFile::link(linked.target, linked.link));
    ViewState state;
    ASSERT_TRUE(InitContactDatabase(state, folder + "/Contact.cdt"));
    EXPECT_EQ(
        ImportContactsBackup("in.cbk", folder + "/Contact.cdt", nullptr),
        (BackupImportOutcome{BackupImportResult::kComplete, {.unwritable = linked.unwritable}}))
        << linked.link;
    EXPECT_TRUE(ReadFileBytes(folder + "/Contact.cdt").startsWith("SQLite format 3"))
        << linked.link;
    EXPECT_TRUE(QFileInfo(linked.link).isSymLink()) << linked.link;
  }
  EXPECT_EQ(ReadFileBytes("a/Ring/ok.wav"), "ok");
  EXPECT_FALSE(QFileInfo::exists("b/ok.wav"));
}

TEST_F(ContactsBackupImportTest, RingToneNamesNeverReachOutsideTheRingFolder) {
  // The database in a subfolder, so that a name escaping its Ring folder would land in the
  // test's own folder, where it can be seen.
  QDir().mkpath("work");
  ViewState state;
  ASSERT_TRUE(InitContactDatabase(state, "work/Contact.cdt"));
  WriteFileBytes("in.cbk", Builder()
                               .AddRingTone("..\\..\\x", "1")
                               .AddRingTone("a/../../b", "2")
                               .AddRingTone("/etc/c", "3")
                               .AddRingTone("..", "4")
                               .AddRingTone(".", "5")
                               .AddRingTone("", "6")
                               .AddRingTone("Sounds\\", "7")
                               .Bytes());
  EXPECT_EQ(ImportContactsBackup("in.cbk", "work/Contact.cdt", nullptr),
            (BackupImportOutcome{BackupImportResult::kComplete, {.unusableName = true}}));
  EXPECT_EQ(QDir("work/Ring").entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
            (QStringList{"b", "c", "x"}));
  EXPECT_EQ(QDir(".").entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
            (QStringList{"Contact.cdt", "in.cbk", "work"}));
}

TEST_F(ContactsBackupImportTest, DamagedFilesImportNothing) {
  InsertContacts({SamplePhoneContact("John", "Smith")});
  QByteArray good = Builder()
                        .AddPhone({{item::kFirstName, "John"}, {item::kLastName, "Smith"}})
                        .AddSim("Ann", "1")
                        .AddRingTone("r.wav", "data")
                        .Bytes();
  std::vector<QByteArray> damaged = {
      good + "x",                                      // digest no longer fits the length
      WithContactsDigest(good.left(100)),              // ends inside a record
      WithContactsDigest(good.left(good.size() - 2)),  // ends inside the ring-tone table
      Builder().AddSim("Ann", "1").ForceRecordCount(1000).Bytes(),  // more records than bytes
      WithContactsDigest(good.left(16) + Builder::Int32(1) + "\x02" + Builder::Int32(1 << 30)),
      QByteArray(10, 'x'),
  };
  for (const QByteArray& file : damaged) {
    EXPECT_EQ(Import(file), kFileError);
    EXPECT_EQ(CountContactRows(), 1);
    EXPECT_EQ(ColumnValue("Mobile_Phone", "SIM_Name='Smith,John'"), "");
  }
  EXPECT_FALSE(QDir("Ring").exists());
  EXPECT_EQ(ImportContactsBackup("missing.cbk", "Contact.cdt", nullptr), kFileError);
}

TEST_F(ContactsBackupImportTest, FailingInsertKeepsTheOldContactAndReportsFailure) {
  InsertContacts({SamplePhoneContact("Bad", "Smith", "100"), SamplePhoneContact("Eve", "Doe")});
  ScopedFileTriggers triggers;
  DatabaseConnection db;
  ASSERT_EQ(db.Exec("create trigger refuse before insert on Contact_Table "
                    "when new.First_Name = 'Bad' begin select raise(abort, 'refused'); end"),
            SQLITE_OK);
  QByteArray file =
      Builder()
          .AddPhone(
              {{item::kFirstName, "Bad"}, {item::kLastName, "Smith"}, {item::kMobilePhone, "200"}})
          .AddPhone(
              {{item::kFirstName, "Eve"}, {item::kLastName, "Doe"}, {item::kMobilePhone, "300"}})
          .Bytes();
  EXPECT_EQ(Import(file), kFail);
  EXPECT_EQ(ColumnValue("Mobile_Phone", "SIM_Name='Smith,Bad'"), "100");
  EXPECT_EQ(ColumnValue("Mobile_Phone", "SIM_Name='Doe,Eve'"), "300");
  EXPECT_EQ(CountContactRows(), 2);
}

// An import that is rolled back writes and replaces no ring tone, whether the database gives the
// transaction up on the way or cannot commit it on a disk that is nearly full.
TEST_F(ContactsBackupImportTest, ARolledBackImportWritesNoRingTone) {
  InsertNumberedContacts(100);
  QDir().mkpath("Ring");
  WriteFileBytes("Ring/a.wav", "old");
  Builder file;
  for (int i = 0; i < 200; ++i) {
    file.AddPhone({{item::kFirstName, "N" + QByteArray::number(i)}, {item::kNotes, kNote}});
  }
  // Nothing after the record the database gives the transaction up at goes in either.
  file.AddPhone({{item::kFirstName, "Last"}}).AddPhone({{item::kFirstName, "After"}});
  file.AddRingTone("a.wav", "new").AddRingTone("b.wav", "b");
  WriteFileBytes("in.cbk", file.Bytes());
  auto expectNothingWritten = [](const char* how) {
    EXPECT_EQ(CountContactRows(), 100) << how;
    EXPECT_EQ(ReadFileBytes("Ring/a.wav"), "old") << how;
    EXPECT_EQ(QDir("Ring").entryList(QDir::Files), QStringList{"a.wav"}) << how;
  };

  // The records' 400 KB stay in the page cache until the commit, which the disk cannot take.
  EXPECT_FALSE(ImportOnAFullDisk(QFileInfo("Contact.cdt").size() + 64 * 1024));
  expectNothingWritten("full disk");

  ScopedFileTriggers triggers;
  DatabaseConnection db;
  ASSERT_EQ(db.Exec("create trigger Abandon before insert on Contact_Table when "
                    "new.First_Name = 'Last' begin select raise(rollback, 'gone'); end"),
            SQLITE_OK);
  EXPECT_EQ(ImportContactsBackup("in.cbk", "Contact.cdt", nullptr), kFail);
  expectNothingWritten("abandoned");
}

// A database that cannot take the records gets none, nor any ring tone, and the import says why:
// one that cannot be opened or is not the program's, one another program is writing or reading,
// one whose stored names cannot be read (each record would be added beside its old rows).
TEST_F(ContactsBackupImportTest, DatabasesThatCannotTakeTheRecordsGetNothing) {
  InsertContacts({SamplePhoneContact("John", "Smith", "100")});
  WriteFileBytes("in.cbk", Builder()
                               .AddPhone({{item::kFirstName, "John"},
                                          {item::kLastName, "Smith"},
                                          {item::kMobilePhone, "200"}})
                               .AddRingTone("a.wav", "new")
                               .Bytes());
  ForEachDatabaseThatCannotTakeRecords([](const QString& database, DatabaseFault fault) {
    EXPECT_EQ(ImportContactsBackup("in.cbk", database, nullptr),
              (BackupImportOutcome{BackupImportResult::kDatabaseFault, {}, fault}));
    EXPECT_FALSE(QDir("Ring").exists());
  });
  EXPECT_EQ(ColumnBytes("Mobile_Phone"), QByteArrayList{"100"});
  QFile::remove("Contact.cdt");
  InsertContactsWithOneDamaged(3, 1);  // the stored names cannot all be read
  EXPECT_EQ(
      ImportContactsBackup("in.cbk", "Contact.cdt", nullptr),
      (BackupImportOutcome{BackupImportResult::kDatabaseFault, {}, DatabaseFault::kCannotRead}));
  EXPECT_FALSE(QDir("Ring").exists());
}

}  // namespace
