#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/store/composed_name.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <future>
#include <vector>

#include "common/ansi_text.h"
#include "common/contacts_backup_file.h"
#include "desktop/exchange/backup/ring_tone_folder.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/database_connection.h"
#include "desktop/store/sql_text.h"
#include "platform/windows/message_service.h"

namespace {

// Its column list follows the items of a phone contact record one for one.
constexpr char kPhoneInsert[] =
    "insert into Contact_Table(ContactType,Title ,First_Name , Middle_Name , Last_Name , "
    "Nick_Name , Suffix , Company , Department , Job_Title , Work_Tel, Work_Fax, Work_Street , "
    "Work_City , Work_State ,  Work_Zip , Work_Country , IM, E_Mail , Mobile_Phone , Web_Page , "
    "Office_Loc , Home_Tel ,Home_Street , Home_City , Home_State , Home_Zip , Home_Country , "
    "Other_Street  , Other_City , Other_State , Other_Zip ,  Other_Country ,Pager , Car_Tel , "
    "Home_Fax , Company_Tel , Work_Tel2 , Home_Tel2 ,Radio_Tel , IM2 , IM3 , E_Mail2 , E_Mail3 , "
    "Assistant , Assistant_Tel , Manager , Gove_ID , Account ,Customer_ID , Spouse , Children "
    ",File_As , Categories ,Notes, Ring_Tone, Birthday , Anniversary ,Picture, hasPic, "
    "SIM_Name) values(";
constexpr char kSimInsert[] =
    "insert into Contact_Table(ContactType, First_Name, File_As, SIM_Name , Mobile_Phone) "
    "values(2,";
constexpr char kImportFileError[] = "Import file error!";

// What one record does to the table: delete the rows of its name, then insert it.
struct RecordStatements {
  QString name;
  QString insert;
  QByteArray picture;  // bound to the insert's parameter when not empty
};

QString Text(const QByteArray& bytes) { return BackupText(bytes, kDesktopDialect); }

QString DateValue(const BackupDate& date) {
  return date.IsNone() ? QStringLiteral("''") : SqlQuote(BackupDateText(date));
}

RecordStatements PhoneStatements(const PhoneContactBody& body) {
  std::array<QString, kBackupStringItems> text;
  for (int item = 0; item < kBackupStringItems; ++item) text[item] = Text(body.items[item]);

  RecordStatements statements;
  constexpr int kFirst = 1, kMiddle = 2, kLast = 3;
  statements.name = ComposedContactName(text[kFirst], text[kMiddle], text[kLast]);
  QString& sql = statements.insert;
  sql = QLatin1String(kPhoneInsert) + QLatin1String("1,");
  for (const QString& value : text) sql += SqlQuote(value) + QLatin1Char(',');
  sql +=
      DateValue(body.birthday) + QLatin1Char(',') + DateValue(body.anniversary) + QLatin1Char(',');
  sql += body.picture.isEmpty() ? QLatin1String("'',0,") : QLatin1String("?,1,");
  sql += SqlQuote(statements.name) + QLatin1Char(')');
  statements.picture = body.picture;
  return statements;
}

RecordStatements SimStatements(const SimContactBody& body) {
  RecordStatements statements;
  statements.name = Text(body.name);
  QString name = SqlQuote(statements.name) + QLatin1Char(',');
  statements.insert = QLatin1String(kSimInsert) + name + name + name + SqlQuote(Text(body.number)) +
                      QLatin1Char(')');
  return statements;
}

// Inserts a record, binding its picture when it has one.
bool Insert(DatabaseConnection& db, const RecordStatements& statements) {
  if (statements.picture.isEmpty()) return db.Exec(statements.insert) == SQLITE_OK;
  SqlStatement insert(db, statements.insert);
  return insert.BindBlob(1, statements.picture) && insert.Step() == SQLITE_DONE;
}

RecordStatements StatementsOf(const BackupRecord& record) {
  return record.body == BackupRecord::Body::kPhone ? PhoneStatements(record.phone)
                                                   : SimStatements(record.sim);
}

// Records are read and turned into statement text a batch at a time on a second thread, while
// the database runs the statements of the batch before.
constexpr std::uint32_t kBatchSize = 512;

struct StatementBatch {
  std::vector<RecordStatements> records;
  bool readFailed = false;
};

StatementBatch ReadBatch(ContactsBackupReader* reader, std::uint32_t count) {
  StatementBatch batch;
  batch.records.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    BackupRecord record;
    if (!reader->ReadRecord(&record)) {
      batch.readFailed = true;
      break;
    }
    batch.records.push_back(StatementsOf(record));
  }
  return batch;
}

enum class RecordsResult {
  kAllIn,
  kSomeFailed,
  kStopped,    // the database gave up the transaction: nothing is in, the file is not read on
  kFileError,  // the file changed since it was checked: nothing is in
};

// Imports the records in one transaction, each under its own savepoint.
RecordsResult ImportRecords(ContactsBackupReader& reader, std::uint32_t count,
                            DatabaseConnection& db, ProgressScope& progress) {
  ContactReplacer replacer(db);
  if (!replacer.IsBegun()) return RecordsResult::kStopped;
  auto readFrom = [&](std::uint32_t first) {
    return std::async(std::launch::async, ReadBatch, &reader, std::min(kBatchSize, count - first));
  };
  std::future<StatementBatch> next;
  if (count > 0) next = readFrom(0);
  bool allIn = true;
  for (std::uint32_t done = 0; done < count;) {
    StatementBatch batch = next.get();
    if (batch.readFailed) {
      replacer.Rollback();
      return RecordsResult::kFileError;
    }
    if (done + batch.records.size() < count) next = readFrom(done + batch.records.size());
    for (const RecordStatements& statements : batch.records) {
      progress.SetPosition(std::int64_t{++done});
      if (replacer.Replace(statements.name, [&] { return Insert(db, statements); })) continue;
      allIn = false;
      if (replacer.Stopped()) return RecordsResult::kStopped;
    }
  }
  if (!replacer.Commit()) return RecordsResult::kSomeFailed;
  return allIn ? RecordsResult::kAllIn : RecordsResult::kSomeFailed;
}

// Replaces the file with the bytes, or leaves it as it was.
bool WriteWholeFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// Stores each ring-tone entry in the ring-tone folder under the last component of its name.
// False when the table cannot be read.
bool ImportRingTones(ContactsBackupReader& reader, const QString& databasePath) {
  std::int32_t count;
  if (!reader.ReadRingToneCount(&count)) return false;
  if (count > 0) QDir().mkpath(RingToneFolder(databasePath));
  bool unusableName = false;
  for (std::int32_t i = 0; i < count; ++i) {
    RingToneEntry entry;
    if (!reader.ReadRingTone(&entry)) return false;
    QString path = RingToneFilePath(databasePath, AnsiToWide(entry.name));
    if (path.isEmpty()) {
      unusableName = true;
    } else if (!WriteWholeFile(path, entry.data)) {
      ShowTips(kIconError, QStringLiteral("Can't open ring file!"));
    }
  }
  if (unusableName) ShowTips(kIconError, QStringLiteral("Invalid ring file name skipped!"));
  return true;
}

}  // namespace

bool ImportContactsBackup(const QString& backupPath, const QString& databasePath,
                          ProgressSink* progress) {
  ContactsBackupReader reader(kDesktopDialect);
  std::uint32_t count = 0;
  if (reader.Open(backupPath) != ContactsBackupReader::OpenResult::kOk ||
      !reader.CheckStructure() || !reader.Rewind() || !reader.ReadRecordCount(&count)) {
    ShowTips(kIconError, QLatin1String(kImportFileError));
    return false;
  }
  DatabaseConnection db(databasePath);
  if (!db.IsOpen()) {
    ShowTips(kIconError, QStringLiteral("Can't open database!"));
    return false;
  }
  ProgressScope bar(progress, count);
  RecordsResult records = ImportRecords(reader, count, db, bar);
  if (records == RecordsResult::kFileError) {
    ShowTips(kIconError, QLatin1String(kImportFileError));
    return false;
  }
  bool ringTonesRead = records != RecordsResult::kStopped && ImportRingTones(reader, databasePath);
  if (records != RecordsResult::kAllIn || !ringTonesRead) {
    ShowTips(kIconError, QStringLiteral("Import fail!"));
    return false;
  }
  ShowTips(kIconSuccess, QStringLiteral("Import contacts complete!"));
  return true;
}
