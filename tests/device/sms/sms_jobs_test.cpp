#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>

#include <gtest/gtest.h>

#include <functional>

#include "device/sms/sms_backup_job.h"
#include "device/sms/sms_restore_job.h"
#include "device/sms/sms_text_listing.h"
#include "platform/device/sample/phone_sample.h"
#include "platform/device/stores/phone_database.h"
#include "tests/device/sms/sms_testing.h"
#include "tests/support/kill_part_way.h"
#include "tests/support/scoped_time_zone.h"

namespace {

constexpr int kBackupFailed = 131;
constexpr int kBackupSucceeded = 132;
constexpr int kRestoreSucceeded = 136;
constexpr int kValidationFailed = 138;

}  // namespace

void PrintTo(const JobOutcome& outcome, std::ostream* os) {
  *os << "{" << outcome.stringId << ", \"" << outcome.text.toStdString() << "\", "
      << outcome.doneBeforeMessage << "}";
}

namespace {

class SmsJobsTest : public SmsPhoneTest {
 protected:
  JobOutcome Backup(const QString& name, SmsBackupMode mode = SmsBackupMode::kBackupFile) {
    CSmsBackupJob job(mode, " " + Path(name) + " ", CSmsBackupJob::kAllFolders);
    EXPECT_TRUE(job.m_session.IsOpened());
    job.m_nTotal = CountSelectedMessages(job);
    return RunSmsBackup(job);
  }

  JobOutcome Restore(const QString& name) {
    CSmsRestoreJob job(Path(name));
    EXPECT_TRUE(job.m_session.IsOpened());
    return RunSmsRestore(job);
  }

  // Fills Sent Items with messages of distinct delivery times, each with `recipients`.
  void AddSentMessages(int count, const std::vector<PhoneRecipient>& recipients) {
    const qint64 sent = Special(PR_IPM_SENTMAIL_ENTRYID);
    ASSERT_TRUE(phone_.InOneTransaction([&] {
      for (int i = 1; i <= count; ++i) {
        const FILETIME delivered = MakeFileTime(quint64(i) * 10'000'000);
        if (phone_.AddMessage(sent, SampleSms("sent", delivered, "\"Me\" <1>", recipients)) == 0) {
          return false;
        }
      }
      return true;
    }));
  }

  // Runs `work` in a child process until it ends; the bytes it wrote to the pipe it is given.
  QByteArray InChild(const std::function<void(int pipe)>& work) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
      work(pipeEnds[1]);
      _exit(0);
    }
    close(pipeEnds[1]);
    QFile said;
    said.open(pipeEnds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray bytes = said.readAll();  // until the child has ended
    EXPECT_EQ(waitpid(child, nullptr, 0), child);
    return bytes;
  }

  QStringList WorkingFiles() const { return QDir(Path("")).entryList(QDir::Files); }

  // A phone with messages in special folders and subfolders, one store's worth of variety.
  void FillPhone() {
    phone_.AddMessage(Special(PR_CE_IPM_DRAFTS_ENTRYID), SampleSms("draft", {}));
    phone_.AddMessage(Inbox(), SampleSms("\xE4\xBD\xA0\xE5\xA5\xBD", MakeDate(2010, 3, 7),
                                         "\"\xE5\xBC\xA0\" <138>", {{"Me", "139", 1}}));
    const qint64 work = phone_.AddFolder(Inbox(), "Work");
    phone_.AddMessage(work, SampleSms("line\r\nbreaks", MakeDate(2010, 3, 8), "\"Ann\" <1>",
                                      {{"Smith; John", "2", 1}, {"Cy", "3", 2}}));
    phone_.AddMessage(phone_.AddFolder(work, "Old"), SampleSms("deep", MakeDate(2010, 3, 9)));
    phone_.AddMessage(Special(PR_IPM_WASTEBASKET_ENTRYID), SampleSms("gone", MakeDate(2009, 1, 1)));
  }

  // Every message of the store by folder path, as a restore must give it back.
  std::vector<QString> Contents(qint64 folder, const QString& path) {
    std::vector<QString> contents;
    for (PhoneMessage message : phone_.Messages(folder)) {
      message.id = 0;
      message.senderName.reset();
      contents.push_back(path + ": " + *message.subject + " / " + *message.senderEmailAddress +
                         " / " + QString::number(FileTimeValue(*message.deliveryTime)) + " / " +
                         QString::number(message.recipients.size()));
    }
    for (const QString& name : phone_.SubfolderNames(folder)) {
      std::vector<QString> below = Contents(phone_.SubfolderId(folder, name), path + "\\" + name);
      contents.insert(contents.end(), below.begin(), below.end());
    }
    return contents;
  }

  std::vector<QString> Contents() {
    std::vector<QString> contents;
    for (ULONG tag : {PR_CE_IPM_DRAFTS_ENTRYID, PR_CE_IPM_INBOX_ENTRYID, PR_IPM_OUTBOX_ENTRYID,
                      PR_IPM_SENTMAIL_ENTRYID, PR_IPM_WASTEBASKET_ENTRYID}) {
      std::vector<QString> folder = Contents(Special(tag), QString::number(tag, 16));
      contents.insert(contents.end(), folder.begin(), folder.end());
    }
    return contents;
  }
};

TEST_F(SmsJobsTest, ABackupRestoresIntoAnEmptyPhoneAndASecondRestoreAddsNothing) {
  FillPhone();
  const std::vector<QString> before = Contents();
  ASSERT_EQ(before.size(), 5u);
  EXPECT_EQ(Backup("all.qrd"), (JobOutcome{kBackupSucceeded, "", false}));
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  phone_.AddMessageStore("SMS");

  EXPECT_EQ(Restore("all.qrd"), (JobOutcome{kRestoreSucceeded, "", false}));
  ASSERT_EQ(Contents(), before);
  const PhoneMessage work = phone_.Messages(phone_.SubfolderId(Inbox(), "Work"))[0];
  EXPECT_EQ(work.subject, "line\r\nbreaks");
  EXPECT_EQ(work.recipients,
            (std::vector<PhoneRecipient>{{"Smith; John", "2", 1}, {"Cy", "3", 2}}));
  EXPECT_EQ(phone_.Messages(Inbox())[0].subject, "\xE4\xBD\xA0\xE5\xA5\xBD");

  // The draft, which has no delivery time, is found by its contents.
  EXPECT_EQ(Restore("all.qrd"), (JobOutcome{kRestoreSucceeded, "", false}));
  EXPECT_EQ(Contents(), before);
}

// The sample phone, with its messages of one second, its text to three people at once and its
// drafts written twice, comes back whole onto an empty phone and gives the same file again; a
// second restore adds nothing.
TEST_F(SmsJobsTest, TheSamplePhoneComesBackWholeAndGivesTheSameFile) {
  ASSERT_TRUE(AddSampleData(phone_, {.contacts = 0, .simEntries = 0, .messages = 240}));
  ASSERT_EQ(Backup("seeded.qrd").stringId, kBackupSucceeded);
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  phone_.AddMessageStore("SMS");
  for (int restore = 1; restore <= 2; ++restore) {
    EXPECT_EQ(Restore("seeded.qrd").stringId, kRestoreSucceeded);
    EXPECT_EQ(Contents().size(), 240u) << restore;
  }
  ASSERT_EQ(Backup("again.qrd").stringId, kBackupSucceeded);
  EXPECT_EQ(ReadFileBytes(Path("again.qrd")), ReadFileBytes(Path("seeded.qrd")));
}

TEST_F(SmsJobsTest, ThreeCyclesOntoFreshPhonesGiveTheSameFileInAnyTimeZone) {
  FillPhone();
  phone_.AddMessage(Inbox(), SampleSms("bare", MakeDate(2011, 1, 1), "10086"));
  int fresh = 0;
  for (const char* rule : kTimeZonesAroundTheWorld) {
    SCOPED_TRACE(rule);
    ScopedTimeZone zone(rule);
    qputenv(kPhoneRootVariable, PhoneFile("").toLocal8Bit());
    ASSERT_EQ(Backup("cycle0.qrd").stringId, kBackupSucceeded);
    for (int cycle = 1; cycle <= 3; ++cycle) {
      qputenv(kPhoneRootVariable, Path(QStringLiteral("phone%1").arg(++fresh)).toLocal8Bit());
      EXPECT_EQ(Restore(QStringLiteral("cycle%1.qrd").arg(cycle - 1)).stringId, kRestoreSucceeded);
      EXPECT_EQ(Backup(QStringLiteral("cycle%1.qrd").arg(cycle)).stringId, kBackupSucceeded);
      EXPECT_EQ(ReadFileBytes(Path(QStringLiteral("cycle%1.qrd").arg(cycle))),
                ReadFileBytes(Path("cycle0.qrd")))
          << cycle;
    }
  }
}

TEST_F(SmsJobsTest, TheFileIsCheckedBeforeAnyRecordIsRead) {
  WriteFileBytes(Path("empty.qrd"), SmsFileBytes({}));
  EXPECT_EQ(Restore("empty.qrd"), (JobOutcome{kRestoreSucceeded, "", false}));

  WriteFileBytes(Path("longer.qrd"), SmsFileBytes({RecordBytes(SmsRecordFields{})}) + "x");
  EXPECT_EQ(Restore("longer.qrd"), (JobOutcome{kValidationFailed, "", true}));
  WriteFileBytes(Path("short.qrd"), "abc");
  EXPECT_EQ(Restore("short.qrd"), (JobOutcome{kValidationFailed, "", true}));
  EXPECT_TRUE(phone_.Messages(Inbox()).empty());

  const JobOutcome missing = Restore("missing.qrd");
  EXPECT_TRUE(missing.doneBeforeMessage);
  EXPECT_EQ(missing.stringId, 0);
  EXPECT_FALSE(missing.text.isEmpty());
}

TEST_F(SmsJobsTest, TheFirstBrokenRecordStopsTheRestoreWithItsNumber) {
  SmsRecordFields first;
  first.text = "first\n";
  SmsRecordFields broken;
  broken.recipients = "\"A\" <1> 1;;\"B\" <2> 2";
  WriteFileBytes(Path("broken.qrd"), SmsFileBytes({RecordBytes(first), RecordBytes(broken),
                                                   RecordBytes(SmsRecordFields{})}));
  EXPECT_EQ(Restore("broken.qrd"), (JobOutcome{0, "No.2, Parse recipient error!", false}));
  EXPECT_EQ(Texts(Inbox()), std::vector<QString>{"first"});

  // A count above the records: the first missing one has no folder line.
  WriteFileBytes(Path("count.qrd"), SmsFileBytes({RecordBytes(first)}, 2));
  EXPECT_EQ(Restore("count.qrd"), (JobOutcome{0, "No.2, Read folder line error!", false}));
}

TEST_F(SmsJobsTest, RecordsBeyondTheCountAreRestoredToo) {
  SmsRecordFields first;
  first.text = "first\n";
  WriteFileBytes(Path("more.qrd"),
                 SmsFileBytes({RecordBytes(first), RecordBytes(SmsRecordFields{})}, 1));
  EXPECT_EQ(Restore("more.qrd"), (JobOutcome{kRestoreSucceeded, "", false}));
  EXPECT_EQ(Texts(Inbox()), (std::vector<QString>{"first", "hello"}));
}

// A message whose recipients the store refuses is not stored at all, so the next restore, not
// finding it, stores it whole.
TEST_F(SmsJobsTest, ARestoredMessageIsStoredWholeOrNotAtAll) {
  SmsRecordFields fields;
  fields.deliveryTime = FileTimeValue(MakeDate(2010, 3, 7));
  fields.recipients = "\"Bob\" <555> 1;\"Cy\" <666> 2";
  WriteFileBytes(Path("one.qrd"), SmsFileBytes({RecordBytes(fields)}));
  for (PhoneCall call : {PhoneCall::kModifyRecipients, PhoneCall::kSaveChanges}) {
    SCOPED_TRACE(PhoneCallName(call));
    phone_.FailCall(call);
    EXPECT_EQ(Restore("one.qrd"), (JobOutcome{0, "No.1, Save sms error!", false}));
    EXPECT_TRUE(phone_.Messages(Inbox()).empty());
    phone_.ClearFailures();
  }
  EXPECT_EQ(Restore("one.qrd"), (JobOutcome{kRestoreSucceeded, "", false}));
  const std::vector<PhoneMessage> restored = phone_.Messages(Inbox());
  ASSERT_EQ(restored.size(), 1u);
  EXPECT_EQ(restored[0].recipients,
            (std::vector<PhoneRecipient>{{"Bob", "555", 1}, {"Cy", "666", 2}}));
}

// A restore killed at any moment leaves whole messages only, and the next restore completes the
// phone.
TEST_F(SmsJobsTest, ARestoreKilledAnywhereIsCompletedByTheNext) {
  AddSentMessages(500, std::vector<PhoneRecipient>(20, {"Friend", "+86139000000", 1}));
  const std::vector<QString> before = Contents();
  ASSERT_EQ(Backup("sent.qrd"), (JobOutcome{kBackupSucceeded, "", false}));
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  phone_.AddMessageStore("SMS");

  std::shared_ptr<PhoneDatabase> phone = PhoneDatabase::Open();
  const auto stored = [&phone] {
    PhoneStatement count(*phone, "select count(*) from messages");
    return count.Step() == SQLITE_ROW ? count.ColumnInt64(0) : 0;
  };
  for (int round = 1; round <= 5; ++round) {
    // Killed once the phone holds round x 80 of the 500 messages.
    EXPECT_TRUE(
        KillPartWay([this] { Restore("sent.qrd"); }, [&](pid_t) { return stored() >= round * 80; }))
        << "the restore ended before kill " << round;
    for (const PhoneMessage& message : phone_.Messages(Special(PR_IPM_SENTMAIL_ENTRYID))) {
      ASSERT_EQ(message.recipients.size(), 20u) << "kill " << round << ", message " << message.id;
    }
  }
  EXPECT_EQ(Restore("sent.qrd"), (JobOutcome{kRestoreSucceeded, "", false}));
  EXPECT_EQ(Contents(), before);
}

// Another program holding the phone's database stops the restore at the record whose folder or
// message cannot be written, in the words every phone program uses for it. Each case waits for
// the lock (5 s).
TEST_F(SmsJobsTest, ALockedPhoneStopsTheRestoreSayingSo) {
  std::shared_ptr<PhoneDatabase> otherProgram = PhoneDatabase::Open();
  ASSERT_NE(otherProgram, nullptr);
  for (const QByteArray path : {"Inbox", "Inbox\\Work"}) {
    SmsRecordFields fields;
    fields.folderPath = path;
    WriteFileBytes(Path("one.qrd"), SmsFileBytes({RecordBytes(fields)}));
    PhoneTransaction hold(*otherProgram);
    ASSERT_TRUE(hold.IsActive());
    EXPECT_EQ(Restore("one.qrd").text,
              "No.1, The phone's database is locked by another program:" + PhoneDatabasePath());
  }
  EXPECT_TRUE(phone_.Messages(Inbox()).empty());
  EXPECT_TRUE(phone_.SubfolderNames(Inbox()).empty());
}

// The file-size limit stands in for a full disk: the write stops part way.
TEST_F(SmsJobsTest, ABackupThatCannotBeWrittenKeepsThePreviousFileAndSaysWhy) {
  AddSentMessages(300, {});
  for (const SmsBackupMode mode : {SmsBackupMode::kBackupFile, SmsBackupMode::kTextListing}) {
    WriteFileBytes(Path("old"), "previous");
    const QByteArray said = InChild([this, mode](int pipe) {
      signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
      const rlimit limit{8000, 8000};
      setrlimit(RLIMIT_FSIZE, &limit);
      const JobOutcome outcome = Backup("old", mode);
      const QByteArray text = QByteArray::number(outcome.doneBeforeMessage) + outcome.text.toUtf8();
      EXPECT_EQ(write(pipe, text.data(), text.size()), text.size());
    });
    EXPECT_EQ(said, "1File too large") << static_cast<int>(mode);
    EXPECT_EQ(ReadFileBytes(Path("old")), "previous");
    EXPECT_EQ(WorkingFiles(), QStringList{"old"});
  }
}

TEST_F(SmsJobsTest, AKilledBackupKeepsThePreviousFile) {
  AddSentMessages(20000, {});
  WriteFileBytes(Path("old.qrd"), "previous");
  // Killed once the first of the backup's writes (64 KB at a time, 1.3 MB in all) is out: most
  // of the backup is still to come, however late a loaded machine sees it.
  EXPECT_TRUE(KillPartWay([this] { Backup("old.qrd"); },
                          [](pid_t child) { return BytesWrittenBy(child) >= 16 * 1024; }))
      << "the backup ended before the kill";
  EXPECT_EQ(ReadFileBytes(Path("old.qrd")), "previous");
}

// With no other program holding the phone open, a phone folder that cannot be written opens no
// session (the log beside the database cannot be made), and is told apart as such for the
// commands' message; the database is left as it was.
TEST_F(SmsJobsTest, APhoneFolderThatCannotBeWrittenOpensNoSession) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(PhoneFile("phone.db").toUtf8().constData(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "pragma wal_checkpoint(truncate)", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  ASSERT_TRUE(QFile::remove(PhoneFile("phone.db-wal")) && QFile::remove(PhoneFile("phone.db-shm")));
  const QByteArray before = ReadFileBytes(PhoneFile("phone.db"));
  ASSERT_EQ(chmod(Path("").toUtf8().constData(), 0755), 0);
  ASSERT_EQ(chmod(PhoneFile("").toUtf8().constData(), 0555), 0);
  const QByteArray opened = InChild([this](int pipe) {
    if (geteuid() == 0 && setuid(65534) != 0) return;  // root may write anywhere
    const bool backup =
        CSmsBackupJob(SmsBackupMode::kBackupFile, Path("x.qrd"), CSmsBackupJob::kAllFolders)
            .m_session.IsOpened();
    const bool restore = CSmsRestoreJob(Path("x.qrd")).m_session.IsOpened();
    const bool notWritable = DiagnosePhoneDatabase() == PhoneDatabaseProblem::kNotWritable;
    const QByteArray said =
        QByteArray::number(backup) + QByteArray::number(restore) + QByteArray::number(notWritable);
    EXPECT_EQ(write(pipe, said.data(), said.size()), said.size());
  });
  chmod(PhoneFile("").toUtf8().constData(), 0755);
  EXPECT_EQ(opened, "001");
  EXPECT_EQ(ReadFileBytes(PhoneFile("phone.db")), before);
}

TEST_F(SmsJobsTest, ABackupThatCannotReadAFolderFails) {
  phone_.AddMessage(Inbox(), SampleSms("one", {}));
  phone_.FailCall(PhoneCall::kGetRecipientTable);
  EXPECT_EQ(Backup("recipients.qrd"), (JobOutcome{kBackupFailed, "", false}));
  phone_.ClearFailures();
  phone_.FailCall(PhoneCall::kGetHierarchyTable, Special(PR_IPM_SENTMAIL_ENTRYID));
  EXPECT_EQ(Backup("hierarchy.qrd"), (JobOutcome{kBackupFailed, "", false}));
  EXPECT_FALSE(QFile::exists(Path("hierarchy.qrd")));

  phone_.ClearFailures();
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  const qint64 store = phone_.AddMessageStore("SMS", false);
  phone_.AddSpecialFolder(store, PR_CE_IPM_INBOX_ENTRYID, "Inbox");
  EXPECT_EQ(Backup("partial.qrd"), (JobOutcome{kBackupFailed, "", false}));

  const JobOutcome unwritable = Backup("no/such/folder.qrd");
  EXPECT_TRUE(unwritable.doneBeforeMessage);
  EXPECT_FALSE(unwritable.text.isEmpty());
}

// The table cannot go back to its start, or hands out its first batch of 10, then cannot fetch
// or open the rest.
TEST_F(SmsJobsTest, AContentsTableThatCannotBeReadWholeFailsTheBackup) {
  for (int i = 0; i < 15; ++i) phone_.AddMessage(Inbox(), SampleSms(QString::number(i), {}));
  const qint64 twelfth = phone_.Messages(Inbox())[11].id;
  struct Fault {
    PhoneCall call;
    qint64 subject;
    int successesFirst;
  };
  for (const Fault& fault :
       {Fault{PhoneCall::kSeekRow, Inbox(), 0}, Fault{PhoneCall::kQueryRows, Inbox(), 1},
        Fault{PhoneCall::kFolderOpenEntry, twelfth, 0},
        Fault{PhoneCall::kMessageGetProps, twelfth, 0}}) {
    for (const SmsBackupMode mode : {SmsBackupMode::kBackupFile, SmsBackupMode::kTextListing}) {
      SCOPED_TRACE(testing::Message()
                   << PhoneCallName(fault.call) << " mode " << static_cast<int>(mode));
      phone_.ClearFailures();
      phone_.FailCall(fault.call, fault.subject, fault.successesFirst);
      EXPECT_EQ(Backup("early", mode), (JobOutcome{kBackupFailed, "", false}));
    }
  }
}

// A crafted phone.db may nest folders as deep as it has folders: both kinds of backup walk them
// all, and the session lets them go, on a stack that does not grow with the depth.
TEST_F(SmsJobsTest, FoldersNestedTenThousandDeepAreBackedUpOnASmallStack) {
  phone_.AddMessage(phone_.AddFolder(Inbox(), "Work"), SampleSms("hello", {}));
  NestFolders(Inbox(), 10'000);
  RunOnSmallStack([this] {
    for (const SmsBackupMode mode : {SmsBackupMode::kBackupFile, SmsBackupMode::kTextListing}) {
      EXPECT_EQ(Backup("deep", mode), (JobOutcome{kBackupSucceeded, "", false}));
    }
  });
  EXPECT_TRUE(ReadFileBytes(Path("deep")).endsWith("Content:\r\nhello\r\n\r\n"));
}

TEST_F(SmsJobsTest, TheTextListingShowsEachMessageInLocalTime) {
  for (const char* rule : kTimeZonesAroundTheWorld) {
    ScopedTimeZone zone(rule);
    EXPECT_EQ(FormatSmsTime(FILETIME{}), "") << rule;  // a draft's
  }
  ScopedTimeZone zone("CET-1");
  const FILETIME delivered = MakeDate(2010, 3, 7, 8, 5, 3);  // 9:05:03 in Central Europe
  EXPECT_EQ(FormatSmsTime(delivered), "2010-3-7 9:5:3");
  phone_.AddMessage(
      Inbox(), SampleSms("Hi", delivered, "\"Ann\" <123>", {{"Bob", "555", 1}, {"Cy", "666", 2}}));
  phone_.AddMessage(Inbox(), SampleSms("\xE5\xA5\xBD", delivered, "\"\" <10086>"));
  EXPECT_EQ(Backup("list.txt", SmsBackupMode::kTextListing),
            (JobOutcome{kBackupSucceeded, "", false}));
  EXPECT_EQ(ReadFileBytes(Path("list.txt")),
            "Sender: \"Ann\" <123>\r\n"
            "Recipients: \"Bob\" <555>;\"Cy\" <666>;\r\n"
            "Time: 2010-3-7 9:5:3\r\n"
            "Content:\r\nHi\r\n\r\n"
            "Sender:\r\n"
            "Recipients: \r\n"
            "Time: 2010-3-7 9:5:3\r\n"
            "Content:\r\n\xBA\xC3\r\n\r\n");
}

}  // namespace
