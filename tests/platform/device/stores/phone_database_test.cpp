#include "platform/device/stores/phone_database.h"

#include <QFile>

#include <sqlite3.h>

#include <QDir>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>

#include "platform/device/stores/messaging_store.h"
#include "platform/device/stores/phone_setup.h"
#include "platform/device/stores/pocket_outlook.h"
#include "platform/device/stores/sim_phonebook.h"
#include "tests/support/phone_test.h"

namespace {

// While it exists, the connections opened meanwhile tell when one of them has slept waiting for
// a lock held by another (SQLite's busy timeout sleeps through the file system layer).
class BusyWaitWatch {
 public:
  BusyWaitWatch() : vfs_(*base_) {
    waited_ = false;
    vfs_.zName = "busy-wait-watch";
    vfs_.xSleep = [](sqlite3_vfs*, int microseconds) {
      waited_ = true;
      return base_->xSleep(base_, microseconds);
    };
    sqlite3_vfs_register(&vfs_, 1);
  }
  ~BusyWaitWatch() {
    sqlite3_vfs_unregister(&vfs_);
    sqlite3_vfs_register(base_, 1);
  }

  static bool Waited() { return waited_; }

 private:
  static inline sqlite3_vfs* const base_ = sqlite3_vfs_find(nullptr);
  static inline std::atomic<bool> waited_ = false;
  sqlite3_vfs vfs_;
};

class PhoneDatabaseTest : public PhoneTest {
 protected:
  // Runs SQL on the phone's file behind the stores' back, as another program might.
  void Poke(const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(PhoneDatabasePath().toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
    sqlite3_close(db);
  }

  // True when every store refuses to open.
  void ExpectEveryStoreFails() {
    std::unique_ptr<IPOutlookApp2> app;
    EXPECT_TRUE(FAILED(CoCreateInstance(CLSID_Application, app)));
    HSIM sim;
    EXPECT_TRUE(FAILED(SimInitialize(sim)));
    std::unique_ptr<IMAPISession> session;
    EXPECT_TRUE(FAILED(MAPILogonEx(session)));
    EXPECT_FALSE(PhoneSetup().IsOpen());
  }
};

TEST_F(PhoneDatabaseTest, FirstUseMakesTheFolderAndAFreshPhoneInWalMode) {
  EXPECT_FALSE(QFile::exists(PhoneFile("phone.db")));
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  ASSERT_NE(db, nullptr);
  EXPECT_TRUE(QFile::exists(PhoneFile("phone.db")));
  PhoneStatement mode(*db, "pragma journal_mode");
  ASSERT_EQ(mode.Step(), SQLITE_ROW);
  EXPECT_EQ(mode.ColumnText(0), "wal");

  PhoneSetup setup;
  EXPECT_TRUE(setup.Contacts().empty());
  EXPECT_TRUE(setup.SimEntries().empty());
  const qint64 sms = setup.MessageStoreId("SMS");
  ASSERT_NE(sms, 0);
  EXPECT_NE(setup.SpecialFolderId(sms, PR_IPM_WASTEBASKET_ENTRYID), 0);
  // Opening again keeps what is there.
  setup.AddSimEntry(1, "Ann", "1");
  EXPECT_EQ(PhoneSetup().SimEntries().size(), 1u);
}

TEST_F(PhoneDatabaseTest, AStatementInUseIsNotLentTwiceAndComesBackUnbound) {
  static constexpr char kSql[] = "select ?";
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  ASSERT_NE(db, nullptr);
  {
    PhoneStatement outer(*db, kSql);
    ASSERT_EQ(outer.Bind(1, 1).Step(), SQLITE_ROW);
    PhoneStatement inner(*db, kSql);
    ASSERT_EQ(inner.Bind(1, 2).Step(), SQLITE_ROW);
    EXPECT_EQ(outer.ColumnInt64(0), 1);
    EXPECT_EQ(inner.ColumnInt64(0), 2);
  }
  PhoneStatement again(*db, kSql);
  ASSERT_EQ(again.Step(), SQLITE_ROW);
  EXPECT_TRUE(again.ColumnIsNull(0));
}

TEST_F(PhoneDatabaseTest, ForeignDatabaseIsLeftAloneAndNothingOpens) {
  Poke("create table other (x); insert into other values (1)");
  const QByteArray before = ReadFileBytes(PhoneFile("phone.db"));
  ExpectEveryStoreFails();
  EXPECT_EQ(ReadFileBytes(PhoneFile("phone.db")), before);
}

TEST_F(PhoneDatabaseTest, FileThatIsNoDatabaseMakesCallsFailCleanly) {
  PhoneRootFolder();
  WriteFileBytes(PhoneFile("phone.db"), QByteArray(4096, '\x5a'));
  ExpectEveryStoreFails();
  EXPECT_EQ(ReadFileBytes(PhoneFile("phone.db")), QByteArray(4096, '\x5a'));
}

TEST_F(PhoneDatabaseTest, BrokenPagesMakeCallsFailNotCrash) {
  MakeDamagedPhone();

  std::unique_ptr<IPOutlookApp2> app;
  if (CoCreateInstance(CLSID_Application, app) != S_OK || app->Logon(0) != S_OK) return;
  std::unique_ptr<IFolder> folder;
  std::unique_ptr<IPOutlookItemCollection> items;
  int count = 0;
  if (app->GetDefaultFolder(olFolderContacts, folder) != S_OK || folder->get_Items(items) != S_OK ||
      items->get_Count(&count) != S_OK) {
    return;
  }
  for (int i = 1; i <= count; ++i) {
    std::unique_ptr<IContact> contact;
    CEOID oid = 0;
    std::unique_ptr<IItem> item;
    std::vector<CEPROPVAL> values;
    if (items->Item(i, contact) == S_OK && contact->get_Oid(&oid) == S_OK &&
        app->GetItemFromOidEx(oid, item) == S_OK) {
      item->GetProps({0x82001F}, values);
    }
  }
}

// A phone that another program holds (waited for, 5 s) is told apart from a file that is no phone.
TEST_F(PhoneDatabaseTest, TheDiagnosisSaysWhyThePhoneCannotBeUsedAndWritesNothing) {
  sqlite3* otherProgram = nullptr;
  struct Case {
    const char* what;
    std::function<void()> make;
    PhoneDatabaseProblem problem;
  };
  const Case cases[] = {
      {"a sound phone", [] { PhoneSetup(); }, PhoneDatabaseProblem::kNone},
      {"a text file", [] { WriteFileBytes(PhoneRootPath() + "/phone.db", QByteArray(600, 'x')); },
       PhoneDatabaseProblem::kNotAPhone},
      {"another program's database", [this] { Poke("create table other (x)"); },
       PhoneDatabaseProblem::kNotAPhone},
      {"a damaged phone", [] { MakeDamagedPhone(); }, PhoneDatabaseProblem::kDamaged},
      {"a phone another program holds",
       [&otherProgram] {
         PhoneSetup();
         ASSERT_EQ(sqlite3_open(PhoneDatabasePath().toUtf8().constData(), &otherProgram),
                   SQLITE_OK);
         ASSERT_EQ(sqlite3_exec(otherProgram, "pragma locking_mode = exclusive; begin exclusive",
                                nullptr, nullptr, nullptr),
                   SQLITE_OK);
       },
       PhoneDatabaseProblem::kLocked},
      {"a folder that cannot be made",
       [] {
         WriteFileBytes(PhoneRootPath() + "/file", "");
         qputenv(kPhoneRootVariable, (PhoneRootPath() + "/file/phone").toLocal8Bit());
       },
       PhoneDatabaseProblem::kNotWritable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qputenv(kPhoneRootVariable, folder_.FilePath(c.what).toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(PhoneRootPath()));
    c.make();
    const QByteArray before = ReadFileBytes(PhoneRootPath() + "/phone.db");
    EXPECT_EQ(DiagnosePhoneDatabase(), c.problem);
    sqlite3_close(std::exchange(otherProgram, nullptr));
    if (c.problem != PhoneDatabaseProblem::kNone) {
      EXPECT_EQ(ReadFileBytes(PhoneRootPath() + "/phone.db"), before);
    }
  }
}

TEST_F(PhoneDatabaseTest, StoredValuesOfAnyKindAreReadSafely) {
  PhoneSetup setup;
  const qint64 inbox = setup.SpecialFolderId(setup.MessageStoreId("SMS"), PR_CE_IPM_INBOX_ENTRYID);
  const qint64 message = setup.AddMessage(inbox, {});
  ASSERT_NE(message, 0);
  ASSERT_NE(setup.AddContact({.texts = {{0x82001F, "x"}}}), 0);
  const QByteArray sql =
      "insert into sim_entries values (1, x'ff00fe', 12345678901234, 'text', x'00');"
      "insert into sim_entries values (2, '" +
      QByteArray(5000, 'n') +
      "', '1', 1, 1);"
      "update contact_properties set value = x'c3' || zeroblob(3);"
      "insert or replace into message_properties values (" +
      QByteArray::number(message) + ", " + QByteArray::number(PR_SUBJECT_W) +
      ", x'fffe');"
      "insert or replace into message_properties values (" +
      QByteArray::number(message) + ", " + QByteArray::number(PR_MESSAGE_FLAGS) +
      ", 'not a number');"
      "update message_stores set display_name = x'80';";
  Poke(sql.constData());

  const std::map<DWORD, SimEntry> entries = setup.SimEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries.at(2).Name(), QString(255, 'n'));
  EXPECT_EQ(entries.at(1).Name(), QString(QChar::ReplacementCharacter));  // the NUL ends it
  EXPECT_EQ(setup.Contacts().at(0).texts.at(0x82001F),
            QString(QChar::ReplacementCharacter) + QString(3, QChar(u'\0')));

  std::unique_ptr<IMAPISession> session;
  ASSERT_EQ(MAPILogonEx(session), S_OK);
  std::unique_ptr<IMAPITable> stores;
  ASSERT_EQ(session->GetMsgStoresTable(stores), S_OK);
  SRowSet rows;
  ASSERT_EQ(stores->QueryRows(1, rows), S_OK);
  EXPECT_EQ(rows[0][1].Value.lpszW, QString(QChar::ReplacementCharacter));
  const std::vector<PhoneMessage> messages = setup.Messages(inbox);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].flags, 0u);
}

TEST_F(PhoneDatabaseTest, BadSimRangeMeansNoRange) {
  PhoneSetup setup;
  Poke("update phone_settings set value = -5 where name = 'sim_lowest_index'");
  HSIM sim;
  ASSERT_EQ(SimInitialize(sim), S_OK);
  SIMCAPS caps;
  EXPECT_TRUE(FAILED(SimGetDevCaps(sim, SIM_CAPSTYPE_PBINDEXRANGE, &caps)));
  DWORD used = 0, total = 0;
  EXPECT_TRUE(FAILED(SimGetPhonebookStatus(sim, SIM_PBSTORAGE_SIM, &used, &total)));
}

// Folders whose parents run in a circle through a special folder, or a special folder that is its
// own parent: a special folder is never listed as a subfolder, so every walk down from one ends.
TEST_F(PhoneDatabaseTest, WalksFromSpecialFoldersEndWhereverTheParentsRun) {
  PhoneSetup setup;
  const qint64 store = setup.MessageStoreId("SMS");
  const qint64 inbox = setup.SpecialFolderId(store, PR_CE_IPM_INBOX_ENTRYID);
  const qint64 drafts = setup.SpecialFolderId(store, PR_CE_IPM_DRAFTS_ENTRYID);
  const qint64 work = setup.AddFolder(inbox, "Work");
  const qint64 deep = setup.AddFolder(work, "Deep");
  Poke(QString("update message_folders set parent_id = %1 where id = %2;"
               "update message_folders set parent_id = id where id = %3")
           .arg(deep)
           .arg(inbox)
           .arg(drafts)
           .toUtf8()
           .constData());
  EXPECT_EQ(setup.SubfolderNames(inbox), std::vector<QString>{"Work"});
  EXPECT_EQ(setup.SubfolderNames(work), std::vector<QString>{"Deep"});
  EXPECT_TRUE(setup.SubfolderNames(deep).empty());
  for (qint64 folder : {deep, drafts}) {
    std::unique_ptr<IMAPITable> table;
    ASSERT_EQ(IMAPIFolder(PhoneDatabase::Open(), store, folder).GetHierarchyTable(table), S_OK);
    ULONG count = 1;
    ASSERT_EQ(table->GetRowCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
  }
}

TEST_F(PhoneDatabaseTest, TwoProgramsUseThePhoneAtOnce) {
  BusyWaitWatch watch;
  PhoneSetup first;
  PhoneSetup second;
  // One program holds a write transaction; the other's write waits for it, then goes through.
  std::shared_ptr<PhoneDatabase> holder = PhoneDatabase::Open();
  ASSERT_NE(holder, nullptr);
  auto transaction = std::make_unique<PhoneTransaction>(*holder);
  ASSERT_TRUE(transaction->IsActive());
  std::atomic<bool> written = false;
  std::atomic<bool> returned = false;
  std::thread writer([&] {
    written = second.AddSimEntry(7, "Waited", "7") == true;
    returned = true;
  });
  while (!watch.Waited() && !returned) std::this_thread::yield();
  EXPECT_TRUE(watch.Waited());
  EXPECT_FALSE(written);
  EXPECT_EQ(first.SimEntries().size(), 0u);  // readers are not blocked by the writer
  transaction.reset();
  writer.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(first.SimEntries().size(), 1u);

  std::vector<std::thread> programs;
  for (int p = 0; p < 4; ++p) {
    programs.emplace_back([p] {
      PhoneSetup setup;
      for (int i = 0; i < 10; ++i) setup.AddContact({.texts = {{0x82001F, QString::number(p)}}});
    });
  }
  for (std::thread& program : programs) program.join();
  EXPECT_EQ(first.Contacts().size(), 40u);
}

}  // namespace
