#include "desktop/exchange/backup/contacts_backup_import.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/ansi_text.h"
#include "common/contacts_backup_file.h"
#include "desktop/exchange/import_pipeline.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_fields.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"

namespace {

// A phone contact's values are the items of its record and whether it has a picture.
std::vector<const char*> PhoneColumns() {
  std::vector<const char*> values;
  for (ContactFieldId field : kBackupItemFields) values.push_back(ColumnNameOf(field));
  values.push_back("hasPic");
  return ImportInsertColumns(values);
}
constexpr int kPhoneHasPic = kImportNamePosition + 1 + kBackupItemCount;

// A SIM contact's name fills its first name and File_As too.
constexpr std::array<const char*, 3> kSimValueColumns = {
    ColumnNameOf(ContactFieldId::kFirstName), ColumnNameOf(ContactFieldId::kFileAs),
    ColumnNameOf(ContactFieldId::kMobilePhone)};

// One record as it is stored: its strings trimmed, its dates as text, and the composed name it
// replaces, all in ANSI bytes.
struct RecordRow {
  BackupRecord record;
  QByteArray name;
  QByteArray birthday;
  QByteArray anniversary;
};

QByteArray DateValue(const BackupDate& date) {
  return date.IsNone() ? QByteArray() : BackupDateText(date).toLatin1();
}

RecordRow RowOf(BackupRecord&& record) {
  auto stored = [](QByteArray& text) { text = BackupAnsiText(text, kDesktopDialect); };
  RecordRow row{std::move(record), QByteArray(), QByteArray(), QByteArray()};
  if (row.record.body == BackupRecord::Body::kPhone) {
    auto& items = row.record.phone.items;
    for (QByteArray& text : items) stored(text);
    constexpr int kFirst = 1, kMiddle = 2, kLast = 3;
    row.name = ComposedContactName(items[kFirst], items[kMiddle], items[kLast]);
    row.birthday = DateValue(row.record.phone.birthday);
    row.anniversary = DateValue(row.record.phone.anniversary);
  } else {
    stored(row.record.sim.name);
    stored(row.record.sim.number);
    row.name = row.record.sim.name;
  }
  return row;
}

// A record without any value: nothing of a contact to store.
bool IsBlank(const RecordRow& row) {
  if (row.record.body == BackupRecord::Body::kSim) {
    return row.name.isEmpty() && row.record.sim.number.isEmpty();
  }
  const PhoneContactBody& body = row.record.phone;
  return std::ranges::all_of(body.items, &QByteArray::isEmpty) && row.birthday.isEmpty() &&
         row.anniversary.isEmpty() && body.picture.isEmpty();
}

// The two inserts of an import, each compiled once.
class RecordInserts {
 public:
  explicit RecordInserts(DatabaseConnection& db)
      : phone_(db, PhoneColumns()), sim_(db, ImportInsertColumns(kSimValueColumns)) {}

  // The record bound to its insert; none for a record without any value.
  BoundRecord Bind(const RecordRow& row) {
    if (IsBlank(row)) return {};
    return {row.record.body == BackupRecord::Body::kPhone ? &PreparedPhone(row) : &PreparedSim(row),
            row.name};
  }

 private:
  ContactRowInsert& PreparedPhone(const RecordRow& row) {
    const PhoneContactBody& body = row.record.phone;
    phone_.SetInteger(kImportTypePosition, kPhoneContact);
    phone_.SetAnsiText(kImportNamePosition, row.name);
    int position = kImportNamePosition + 1;
    for (const QByteArray& text : body.items) phone_.SetAnsiText(position++, text);
    phone_.SetAnsiText(position++, row.birthday);
    phone_.SetAnsiText(position++, row.anniversary);
    // A contact without a picture stores empty text there, as it always has.
    if (body.picture.isEmpty()) {
      phone_.SetAnsiText(position, {});
    } else {
      phone_.SetBlob(position, body.picture);
    }
    phone_.SetInteger(kPhoneHasPic, body.picture.isEmpty() ? 0 : 1);
    return phone_;
  }

  ContactRowInsert& PreparedSim(const RecordRow& row) {
    const SimContactBody& body = row.record.sim;
    sim_.SetInteger(kImportTypePosition, kSimContact);
    int position = kImportNamePosition;
    for (int named = 0; named < 3; ++named) sim_.SetAnsiText(position++, body.name);
    sim_.SetAnsiText(position, body.number);
    return sim_;
  }

  ContactRowInsert phone_;
  ContactRowInsert sim_;
};

// Records are read and decoded a batch at a time (see ImportSteps).
struct RecordBatch {
  std::vector<RecordRow> rows;
  BatchEnd end = BatchEnd::kMore;

  int Size() const { return static_cast<int>(rows.size()); }
  BatchEnd End() const { return end; }
};

// Reads the next records into the batch, at most `*unread`, as many as a batch takes by their
// bytes in the file.
void ReadBatch(ContactsBackupReader& reader, std::uint32_t* unread, RecordBatch& batch) {
  batch.rows.clear();
  batch.end = BatchEnd::kMore;
  const qint64 start = reader.Position();
  while (*unread > 0 && BatchTakesMore(batch.Size(), reader.Position() - start)) {
    BackupRecord record;
    if (!reader.ReadRecord(&record)) {
      batch.end = BatchEnd::kUnread;
      return;
    }
    batch.rows.push_back(RowOf(std::move(record)));
    --*unread;
  }
  if (*unread == 0) batch.end = BatchEnd::kLast;
}

enum class RecordsResult {
  kAllIn,
  kSomeFailed,
  kStopped,    // the database gave the transaction up or could not commit it: nothing is in
  kFileError,  // the file is not whole: nothing is in
};

// Imports the records in the replacer's transaction, each under its own savepoint, and stages
// the ring tones. The whole file is read before the commit: a damaged file changes nothing.
RecordsResult ImportRecords(ContactsBackupReader& reader, std::uint32_t count,
                            DatabaseConnection& db, ContactReplacer& replacer,
                            ProgressMeter& progress, StagedRingTones& ringTones) {
  RecordInserts inserts(db);
  std::uint32_t unread = count;
  auto read = [&](RecordBatch& batch) { ReadBatch(reader, &unread, batch); };
  RecordBatch first;
  read(first);
  ImportRun run = StoreRecords<RecordBatch>(
      &replacer, std::move(first),
      {.read = read,
       .bind = [&](const RecordBatch& batch,
                   int record) { return inserts.Bind(batch.rows[record]); },
       .afterGivingUp = AfterGivingUp::kStop,
       .progress = &progress});
  if (!run.whole) return RecordsResult::kFileError;
  if (!run.storing) return RecordsResult::kStopped;
  if (!ringTones.Read(reader)) {
    replacer.Rollback();
    return RecordsResult::kFileError;
  }
  CommitImport(replacer, &run);
  if (!run.storing) return RecordsResult::kStopped;
  return run.failed == 0 ? RecordsResult::kAllIn : RecordsResult::kSomeFailed;
}

}  // namespace

BackupImportOutcome ImportContactsBackup(const QString& backupPath, const QString& databasePath,
                                         ProgressSink* progress) {
  ContactsBackupReader reader(kDesktopDialect);
  std::uint32_t count = 0;
  if (reader.Open(backupPath) != ContactsBackupReader::OpenResult::kOk ||
      !reader.ReadRecordCount(&count)) {
    return {BackupImportResult::kFileError};
  }
  DatabaseConnection db(databasePath);
  ContactReplacer replacer(db);
  if (!replacer.IsBegun()) return {BackupImportResult::kDatabaseFault, {}, replacer.Fault()};
  ProgressMeter bar(progress, count);
  StagedRingTones ringTones(databasePath);
  RecordsResult records = ImportRecords(reader, count, db, replacer, bar, ringTones);
  if (records == RecordsResult::kFileError) return {BackupImportResult::kFileError};
  BackupImportOutcome outcome{records == RecordsResult::kAllIn ? BackupImportResult::kComplete
                                                               : BackupImportResult::kFailed};
  // The records that went in are committed: their ring tones go with them.
  if (records != RecordsResult::kStopped) outcome.ringTones = ringTones.Write();
  return outcome;
}
