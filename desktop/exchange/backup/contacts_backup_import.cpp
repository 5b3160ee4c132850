#include "desktop/exchange/backup/contacts_backup_import.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "common/ansi_text.h"
#include "common/contacts_backup_file.h"
#include "desktop/exchange/read_ahead.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_fields.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"

namespace {

// A phone contact's columns follow the items of its record, between its type and its name.
std::vector<const char*> PhoneColumns() {
  std::vector<const char*> columns = {"ContactType"};
  for (int column : BackupItemColumns()) columns.push_back(kContactColumns[column]);
  columns.insert(columns.end(), {"hasPic", "SIM_Name"});
  return columns;
}
constexpr int kPhoneHasPic = 1 + kBackupItemCount;
constexpr int kPhoneSimName = kPhoneHasPic + 1;

constexpr std::array<const char*, 5> kSimColumns = {"ContactType", "First_Name", "File_As",
                                                    "SIM_Name", "Mobile_Phone"};

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
      : phone_(db, PhoneColumns()), sim_(db, kSimColumns) {}

  // The insert of the record, with its values set.
  ContactRowInsert& Prepared(const RecordRow& row) {
    return row.record.body == BackupRecord::Body::kPhone ? PreparedPhone(row) : PreparedSim(row);
  }

 private:
  ContactRowInsert& PreparedPhone(const RecordRow& row) {
    const PhoneContactBody& body = row.record.phone;
    int position = 0;
    phone_.SetInteger(position++, kPhoneContact);
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
    phone_.SetAnsiText(kPhoneSimName, row.name);
    return phone_;
  }

  ContactRowInsert& PreparedSim(const RecordRow& row) {
    const SimContactBody& body = row.record.sim;
    sim_.SetInteger(0, kSimContact);
    for (int position : {1, 2, 3}) sim_.SetAnsiText(position, body.name);
    sim_.SetAnsiText(4, body.number);
    return sim_;
  }

  ContactRowInsert phone_;
  ContactRowInsert sim_;
};

// Records are read and decoded a batch at a time on a second thread, while the database stores
// the batch before.
struct RecordBatch {
  std::vector<RecordRow> rows;
  bool readFailed = false;
  bool last = false;  // the file's last records, or a failure
};

// The next records, at most `count`, as many as a batch takes by their bytes in the file.
RecordBatch ReadBatch(ContactsBackupReader* reader, std::uint32_t count) {
  RecordBatch batch;
  const qint64 start = reader->Position();
  while (batch.rows.size() < count &&
         BatchTakesMore(std::ssize(batch.rows), reader->Position() - start)) {
    BackupRecord record;
    if (!reader->ReadRecord(&record)) {
      batch.readFailed = true;
      break;
    }
    batch.rows.push_back(RowOf(std::move(record)));
  }
  return batch;
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
  auto read = [&] {
    RecordBatch batch = ReadBatch(&reader, unread);
    unread -= static_cast<std::uint32_t>(batch.rows.size());
    batch.last = batch.readFailed || unread == 0;
    return batch;
  };
  std::optional<ReadAhead<RecordBatch>> ahead;
  if (count > 0) ahead.emplace(read, [](const RecordBatch& batch) { return batch.last; });
  bool allIn = true;
  RecordBatch batch;
  for (std::uint32_t done = 0; done < count;) {
    batch = ahead->Next(std::move(batch));
    if (batch.readFailed) {
      replacer.Rollback();
      return RecordsResult::kFileError;
    }
    for (const RecordRow& row : batch.rows) {
      progress.SetPosition(std::int64_t{++done});
      if (IsBlank(row) || replacer.Replace(row.name, inserts.Prepared(row))) continue;
      allIn = false;
      if (replacer.Stopped()) return RecordsResult::kStopped;
    }
  }
  if (!ringTones.Read(reader)) {
    replacer.Rollback();
    return RecordsResult::kFileError;
  }
  if (!replacer.Commit()) return RecordsResult::kStopped;
  return allIn ? RecordsResult::kAllIn : RecordsResult::kSomeFailed;
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
