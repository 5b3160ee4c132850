#include "device/sms/sms_backup_file.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include "device/sms/sms_backup_job.h"
#include "tests/device/sms/sms_testing.h"

namespace {

TEST(SmsBackupLineTest, LinesSkipCarriageReturnsAndAreReadWholeUpToOneMebibyte) {
  const QByteArray longest(1048576, 'x');
  QByteArray bytes =
      "a\rb\r\n" + QByteArray(1500, 'x') + "\n" + longest + "\r\nlast\n" + longest + "y\nz";
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  EXPECT_EQ(ReadBackupLine(buffer), "ab");
  EXPECT_EQ(ReadBackupLine(buffer), QByteArray(1500, 'x'));
  EXPECT_EQ(ReadBackupLine(buffer), longest);
  EXPECT_EQ(ReadBackupLine(buffer), "last");
  EXPECT_EQ(ReadBackupLine(buffer), std::nullopt);
}

TEST(SmsBackupLineTest, ALineBeyondOneMebibyteStopsTheRecord) {
  SmsRecordFields fields;
  fields.recipients = QByteArray(1048577, ';');
  QByteArray bytes = RecordBytes(fields);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  SmsBackupRecord record;
  QString error;
  EXPECT_FALSE(ReadSmsRecordFields(buffer, record, error));
  EXPECT_EQ(error, "Read line error: longer than 1048576 bytes!");
}

TEST(SmsBackupLineTest, TextLengthsAreNeverTrustedBeyondTheFile) {
  SmsRecordFields fields;
  QString error;
  for (quint32 length : {7u, 0xFFFFFFFFu}) {
    fields.textLength = length;
    QByteArray bytes = RecordBytes(fields);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SmsBackupRecord record;
    EXPECT_FALSE(ReadSmsRecordFields(buffer, record, error));
    EXPECT_EQ(error, "Read sms record error!");
  }
  // Cut before the length itself.
  QByteArray bytes = RecordBytes(SmsRecordFields{}).left(40);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  SmsBackupRecord record;
  EXPECT_FALSE(ReadSmsRecordFields(buffer, record, error));
  EXPECT_EQ(error, "Read sms record error!");
}

TEST(SmsBackupLineTest, RecipientLinesSplitAtSemicolonsOutsideNames) {
  EXPECT_EQ(ParseRecipientsLine("")->size(), 0u);
  EXPECT_EQ(*ParseRecipientsLine("\"A\" <1> 1;\"B\" <2> 2"),
            (std::vector<CSmsRecipient>{{"1", "A", 1}, {"2", "B", 2}}));
  EXPECT_EQ(*ParseRecipientsLine("\"Smith; John\" <1;2> 1"),
            (std::vector<CSmsRecipient>{{"1;2", "Smith; John", 1}}));
  EXPECT_FALSE(ParseRecipientsLine("\"A\" <1> 1;;\"B\" <2> 2"));
  EXPECT_FALSE(ParseRecipientsLine("\"A\" <1> 1;"));
  EXPECT_FALSE(ParseRecipientsLine("\"A\" <1"));
  // An entry parses up to 1023 bytes, counted as code page 936 (GB18030) counts them: four for
  // each Hangul syllable.
  const QString hangul(253, QChar(0xAC00));
  struct Entry {
    QString name;
    bool parses;
  };
  for (const Entry& entry :
       {Entry{QString(1015, 'n'), true}, Entry{QString(1016, 'n'), false},
        Entry{"nn" + hangul, true}, Entry{"nnn" + hangul, true}, Entry{"nnnn" + hangul, false}}) {
    EXPECT_EQ(ParseRecipientsLine("\"" + entry.name + "\" <1> 1").has_value(), entry.parses)
        << entry.name.size();
  }
}

TEST(SmsBackupLineTest, FolderPathsNameASpecialFolderInAnyCase) {
  std::optional<FolderPathParts> parts = ParseFolderPath("sENTEDBOX\\Work\\\\");
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->folder, SmsFolder::kSentedbox);
  EXPECT_EQ(parts->subfolders, (QStringList{"Work", "", ""}));
  EXPECT_FALSE(ParseFolderPath("Sent Items"));
  EXPECT_FALSE(ParseFolderPath("\\Inbox"));
}

class SmsBackupFileTest : public SmsPhoneTest {
 protected:
  // Writes "out.qrd"; what the writer returned.
  bool WriteBackup(const CSmsBackupJob::FolderFlags& folders, int total = -1) {
    CSmsBackupJob job(SmsBackupMode::kBackupFile, Path("out.qrd"), folders);
    job.m_nTotal = total >= 0 ? total : CountSelectedMessages(job);
    QFile file(Path("out.qrd"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return WriteSmsBackupFile(job, file);
  }

  QByteArray Backup(int total = -1) {
    EXPECT_TRUE(WriteBackup(CSmsBackupJob::kAllFolders, total));
    return ReadFileBytes(Path("out.qrd"));
  }

  // Reads one record into the store; the error text, empty on success.
  QString Restore(const QByteArray& record, CMapiSession& session) {
    QByteArray bytes = record;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    const bool read = ReadSmsRecord(session, buffer, error);
    EXPECT_EQ(read, error.isEmpty());
    return error;
  }

  QString Restore(const QByteArray& record) {
    CMapiSession session("SMS");
    return Restore(record, session);
  }

  // Backs the store up and restores the file's first record onto an empty store: the inbox then.
  std::vector<PhoneMessage> BackedUpAndRestored() {
    const QByteArray file = Backup();
    EmptyStore();
    EXPECT_EQ(Restore(file.mid(20)), "");
    return phone_.Messages(Inbox());
  }

  void EmptyStore() {
    EXPECT_TRUE(phone_.RemoveMessageStore("SMS"));
    phone_.AddMessageStore("SMS");
  }
};

TEST_F(SmsBackupFileTest, EmptyFoldersGiveTheTwentyByteFile) {
  const QByteArray file = Backup();
  EXPECT_EQ(file.size(), 20);
  EXPECT_EQ(file, SmsFileBytes({}));
}

TEST_F(SmsBackupFileTest, RecordsFollowTheFoldersDepthFirst) {
  const FILETIME delivered = MakeDate(2010, 3, 7, 9, 5, 3);
  phone_.AddMessage(Special(PR_CE_IPM_DRAFTS_ENTRYID), SampleSms("draft", delivered));
  const qint64 work = phone_.AddFolder(Inbox(), "Work");
  phone_.AddMessage(
      work, SampleSms("hello", delivered, "\"Ann\" <123>", {{"Bob", "555", 1}, {"Cy", "666", 2}}));
  phone_.AddMessage(phone_.AddFolder(work, "Old\\Odd"),
                    SampleSms("x", {}, "\"Ann\" <123>", {{"Line\nBreak", "7", 1}}));

  SmsRecordFields draft;
  draft.folderPath = "Draft";
  draft.deliveryTime = FileTimeValue(delivered);
  draft.lastModificationTime = FileTimeValue(delivered) + 10'000'000;
  draft.flags = 0x21;
  draft.size = 5;
  draft.sender = "\"Ann\" <+8613800000000>";
  draft.text = "draft\n";
  SmsRecordFields hello = draft;
  hello.folderPath = "Inbox\\Work";
  hello.recipients = "\"Bob\" <555> 1;\"Cy\" <666> 2";
  hello.sender = "\"Ann\" <123>";
  hello.text = "hello\n";
  SmsRecordFields odd;
  odd.folderPath = "Inbox\\Work\\Old/Odd";
  odd.lastModificationTime = 10'000'000;
  odd.flags = 0x21;
  odd.size = 1;
  odd.recipients = "\"Line Break\" <7> 1";
  odd.text = "x\n";
  EXPECT_EQ(Backup(), SmsFileBytes({RecordBytes(draft), RecordBytes(hello), RecordBytes(odd)}));
}

TEST_F(SmsBackupFileTest, EveryRecipientIsBackedUpAndRestored) {
  std::vector<PhoneRecipient> many;
  for (int i = 0; i < 400; ++i) many.push_back({QString("Friend %1").arg(i, 3), "+86139000000", 1});
  phone_.AddMessage(Inbox(), SampleSms("party", MakeDate(2010, 3, 7), "\"Ann\" <1>", many));
  const std::vector<PhoneMessage> messages = BackedUpAndRestored();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].recipients, many);
}

// An entry keeps to 1023 bytes, so a restore parses it: the address whole, the name cut to whole
// characters. A bare value is both the sender's name and address. Bytes are those of code page
// 936 (GB18030): four for each Thai letter or Hangul syllable. A recipient's name has 1013 bytes
// of room beside the address "555".
TEST_F(SmsBackupFileTest, LongNamesAreCutToAnEntryThatARestoreParses) {
  const QString number(600, '1');
  const QString thai(150, QChar(0x0E01));    // 600 bytes
  const QString hangul(252, QChar(0xAC00));  // 1008 bytes
  struct Case {
    QString sender;
    QString name;
    QString restoredSender;
    QString restoredName;
  };
  const Case cases[] = {
      {number, QString(2000, 'n'), "\"" + number.left(418) + "\" <" + number + ">",
       QString(1013, 'n')},
      {thai, "nnnn" + hangul, "\"" + thai.left(104) + "\" <" + thai + ">", "nnnn" + hangul},
      {"\"Ann\" <1>", "nnnnn" + hangul, "\"Ann\" <1>", "nnnnn" + hangul},
      {"\"Ann\" <1>", "nnnnnn" + hangul, "\"Ann\" <1>", "nnnnnn" + hangul.chopped(1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.size());
    phone_.AddMessage(Inbox(),
                      SampleSms("long", MakeDate(2010, 3, 7), c.sender, {{c.name, "555", 1}}));
    const std::vector<PhoneMessage> messages = BackedUpAndRestored();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].senderEmailAddress, c.restoredSender);
    EXPECT_EQ(messages[0].recipients, (std::vector<PhoneRecipient>{{c.restoredName, "555", 1}}));
    EmptyStore();
  }
}

// Rather than write a line that a restore would refuse, the backup fails: a folder path beyond
// 1023 bytes, a recipients line beyond 1 MiB.
TEST_F(SmsBackupFileTest, ALineLongerThanARestoreReadsFailsTheBackup) {
  const QString longest(1017, 'd');  // "Inbox\" and this: 1023 bytes
  phone_.AddMessage(phone_.AddFolder(Inbox(), longest), SampleSms("deep", {}));
  phone_.AddMessage(phone_.AddFolder(Special(PR_CE_IPM_DRAFTS_ENTRYID), longest + "d"),
                    SampleSms("deeper", {}));
  const std::vector<PhoneRecipient> crowd(1050, {QString(1000, 'c'), "1", 1});
  phone_.AddMessage(Special(PR_IPM_OUTBOX_ENTRYID), SampleSms("crowd", {}, "\"Ann\" <1>", crowd));

  EXPECT_FALSE(WriteBackup({false, false, true, false, false}));
  EXPECT_FALSE(WriteBackup({true, false, false, false, false}));
  ASSERT_TRUE(WriteBackup({false, true, false, false, false}));
  EmptyStore();
  EXPECT_EQ(Restore(ReadFileBytes(Path("out.qrd")).mid(20)), "");
  EXPECT_EQ(Texts(phone_.SubfolderId(Inbox(), longest)), std::vector<QString>{"deep"});
}

TEST_F(SmsBackupFileTest, TheCountIsThatOfTheRecordsWritten) {
  phone_.AddMessage(Inbox(), SampleSms("one", {}));
  const QByteArray file = Backup(5);
  EXPECT_EQ(file.mid(16, 4), UInt32Bytes(1));
  quint32 count = 0;
  QBuffer buffer;
  buffer.setData(file);
  buffer.open(QIODevice::ReadOnly);
  EXPECT_TRUE(ReadSmsFileHeader(buffer, count));
  EXPECT_EQ(count, 1u);
}

TEST_F(SmsBackupFileTest, ARecordGoesBackIntoItsFolderMadeWhenMissing) {
  SmsRecordFields fields;
  fields.folderPath = "INBOX\\Work";
  fields.deliveryTime = FileTimeValue(MakeDate(2010, 3, 7));
  fields.recipients = "\"Bob\" <555> 1;\"Cy\" <666> 2";
  fields.text = "hello\n";
  EXPECT_EQ(Restore(RecordBytes(fields)), "");
  const std::vector<PhoneMessage> restored = phone_.Messages(phone_.SubfolderId(Inbox(), "Work"));
  ASSERT_EQ(restored.size(), 1u);
  EXPECT_EQ(restored[0].subject, "hello");
  EXPECT_EQ(restored[0].senderEmailAddress, "\"Ann\" <123>");
  EXPECT_EQ(restored[0].deliveryTime, MakeDate(2010, 3, 7));
  EXPECT_EQ(restored[0].recipients,
            (std::vector<PhoneRecipient>{{"Bob", "555", 1}, {"Cy", "666", 2}}));

  for (const char* path : {"Outbox\\   ", "Outbox\\", "outbox\\ Trip \\\\"}) {
    fields.folderPath = path;
    fields.deliveryTime += 1;
    EXPECT_EQ(Restore(RecordBytes(fields)), "");
  }
  const qint64 outbox = Special(PR_IPM_OUTBOX_ENTRYID);
  EXPECT_EQ(phone_.SubfolderNames(outbox), (std::vector<QString>{"NewFolder", "Trip"}));
  EXPECT_EQ(phone_.Messages(phone_.SubfolderId(outbox, "NewFolder")).size(), 2u);
  const qint64 trip = phone_.SubfolderId(outbox, "Trip");
  EXPECT_EQ(Texts(phone_.SubfolderId(phone_.SubfolderId(trip, "NewFolder"), "NewFolder")),
            std::vector<QString>{"hello"});
}

// One restore: a record repeats a message of its folder only with the same time and contents, and
// each message held before the restore stands for one record; what the restore stores stands for
// none.
TEST_F(SmsBackupFileTest, ARecordRepeatsOnlyAMessageItsFolderHeldBefore) {
  const FILETIME delivered = MakeDate(2010, 3, 7);
  phone_.AddMessage(Inbox(), SampleSms("hello", delivered, "\"Ann\" <123>"));
  for (int i = 0; i < 2; ++i) {
    phone_.AddMessage(Inbox(), SampleSms("OK", {}, "\"Ann\" <123>", {{"Bob", "555", 1}}));
  }
  phone_.AddMessage(Special(PR_IPM_OUTBOX_ENTRYID), SampleSms("out", MakeDate(2011, 1, 1)));
  const QByteArray ann = "\"Ann\" <123>";
  const QByteArray bob = "\"Bob\" <555> 1";
  const quint64 time = FileTimeValue(delivered);
  struct Case {
    const char* what;
    QByteArray text;
    QByteArray sender;
    QByteArray recipients;
    quint64 time;
    bool stored;
  };
  const Case cases[] = {
      {"the held message", "hello\n", ann, "", time, false},
      {"it again", "hello\n", ann, "", time, true},
      {"it again, now that the restore stored it", "hello\n", ann, "", time, true},
      {"another text of its second", "bye\n", ann, "", time, true},
      {"its text a second later", "hello\n", ann, "", time + 10'000'000, true},
      {"another sender of its second", "hello\n", "\"Bob\" <123>", "", time, true},
      {"other recipients in its second", "hello\n", ann, bob, time, true},
      {"the held draft", "OK\n", ann, bob, 0, false},
      {"the other held draft", "OK\n", ann, bob, 0, false},
      {"a third such draft", "OK\n", ann, bob, 0, true},
      {"the message of another folder", "out\n", ann, "", FileTimeValue(MakeDate(2011, 1, 1)),
       true},
  };
  CMapiSession session("SMS");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SmsRecordFields fields;
    fields.messageClass = c.stored ? "IPM.SMStext" : "IPM.Note";  // a repeat's is not looked at
    fields.text = c.text;
    fields.sender = c.sender;
    fields.recipients = c.recipients;
    fields.deliveryTime = c.time;
    const size_t before = phone_.Messages(Inbox()).size();
    EXPECT_EQ(Restore(RecordBytes(fields), session), "");
    EXPECT_EQ(phone_.Messages(Inbox()).size(), before + (c.stored ? 1 : 0));
  }
}

TEST_F(SmsBackupFileTest, ABrokenRecordNamesItsFaultAndStoresNothing) {
  struct Case {
    SmsRecordFields fields;
    QString error;
  };
  std::vector<Case> cases(8);
  cases[0].fields.folderPath = "";
  cases[0].error = "Read folder line error!";
  cases[1].fields.folderPath = "Junk\\Mail";
  cases[1].error = "Create folder 'Junk\\Mail' error!";
  cases[2].fields.messageClass = "IPM.SMStext ";
  cases[2].error = "Unknow message class name!";
  cases[3].fields.recipients = "\"A\" <1> 1;;\"B\" <2> 2";
  cases[3].error = "Parse recipient error!";
  cases[4].fields.sender = "+8613800000000";
  cases[4].error = "Parse sender info error!";
  cases[5].fields.textLength = 1000;
  cases[5].error = "Read sms record error!";
  cases[6].fields.folderPath = "Inbox\\" + QByteArray(1018, 'd');
  cases[6].error = "Read folder line error!";
  cases[7].error = "Save sms error!";
  phone_.FailCall(PhoneCall::kMessageSetProps);
  for (const Case& broken : cases) {
    SCOPED_TRACE(broken.error.toStdString());
    EXPECT_EQ(Restore(RecordBytes(broken.fields)), broken.error);
  }
  phone_.ClearFailures();
  phone_.FailCall(PhoneCall::kCreateMessage);
  EXPECT_EQ(Restore(RecordBytes(SmsRecordFields{})), "Create message error!");
  EXPECT_TRUE(phone_.Messages(Inbox()).empty());
}

}  // namespace
