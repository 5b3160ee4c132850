#include "desktop/exchange/backup/contacts_backup_export.h"

#include <QFile>

#include <optional>
#include <set>

#include "common/ansi_text.h"
#include "common/contacts_backup_file.h"
#include "common/regular_file.h"
#include "desktop/exchange/backup/ring_tone_folder.h"
#include "desktop/exchange/contact_export_rows.h"
#include "desktop/store/contact_fields.h"

namespace {

constexpr char kRingToneQuery[] =
    "select distinct Ring_Tone from Contact_Table where ContactType=1 and Ring_Tone not like ''";

bool WriteRecord(const SqlStatement& row, ContactsBackupWriter& writer) {
  if (row.ColumnInt(kColumnContactType) == kSimContact) {
    QString name = AnsiToWide(row.ColumnBytes(kColumnSimName)).trimmed();
    return writer.WriteSimRecord({WideToAnsi(name), row.ColumnBytes(kColumnMobilePhone)});
  }
  const std::array<int, kBackupItemCount>& columns = BackupItemColumns();
  PhoneContactBody body;
  for (int item = 0; item < kBackupStringItems; ++item)
    body.items[item] = row.ColumnBytes(columns[item]);
  body.birthday = BackupDateFromText(row.ColumnBytes(kColumnBirthday), false);
  body.anniversary = BackupDateFromText(row.ColumnBytes(kColumnAnniversary), true);
  body.picture = row.ColumnBytes(kColumnPicture);
  return writer.WritePhoneRecord(body);
}

// Writes a record for each row; returns the number of records written. Stops at a failed read,
// which the rows remember, and at a failed write, which the writer remembers.
qint64 WriteRecords(ContactExportRows& rows, ContactsBackupWriter& writer,
                    ProgressMeter& progress) {
  qint64 written = 0;
  while (rows.Next()) {
    progress.SetPosition(written + 1);
    if (!WriteRecord(rows.Row(), writer)) break;
    ++written;
  }
  return written;
}

// The distinct ring-tone paths of phone contacts, in ordinal (case-sensitive) order; the fault
// when they cannot be read.
DatabaseFault ReadRingTonePaths(DatabaseConnection& db, std::set<QString>* paths) {
  SqlStatement query(db, QLatin1String(kRingToneQuery));
  int rc;
  while ((rc = query.Step()) == SQLITE_ROW) paths->insert(query.ColumnText(0));
  return FaultOfResult(rc);
}

// The bytes of the ring tone's file; nothing when it cannot be read.
std::optional<QByteArray> RingToneData(const QString& databasePath, const QString& phonePath) {
  QString path = RingToneFilePath(databasePath, phonePath);
  QFile file;
  if (path.isEmpty() || !OpenRegularFile(file, path)) return std::nullopt;
  return file.readAll();
}

// Writes the ring tones; those whose files cannot be read are added to `unreadable`.
bool WriteRingTones(const std::set<QString>& paths, const QString& databasePath,
                    ContactsBackupWriter& writer, QStringList* unreadable) {
  if (!writer.WriteRingToneCount(static_cast<std::int32_t>(paths.size()))) return false;
  for (const QString& path : paths) {
    std::optional<QByteArray> data = RingToneData(databasePath, path);
    if (!data) *unreadable << path;
    if (!writer.WriteRingTone({WideToAnsi(path), data.value_or(MissingRingToneData())}))
      return false;
  }
  return true;
}

}  // namespace

ExportOutcome ExportContactsBackup(const QString& backupPath, const QString& databasePath,
                                   ProgressSink* progress) {
  ContactExportRows rows(databasePath);
  if (rows.Fault() != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, rows.Fault()};
  // A writer that is not finished drops its temporary file: a failed export leaves nothing.
  ContactsBackupWriter writer;
  if (!writer.Create(backupPath, static_cast<std::uint32_t>(rows.Count()))) {
    return {ExportResult::kCannotCreate};
  }
  ProgressMeter bar(progress, rows.Count());
  qint64 written = WriteRecords(rows, writer, bar);
  bar.SetPosition(written);
  std::set<QString> ringTones;
  DatabaseFault fault = rows.Fault();
  if (fault == DatabaseFault::kNone) fault = ReadRingTonePaths(rows.Database(), &ringTones);
  if (fault != DatabaseFault::kNone) return {ExportResult::kDatabaseFault, fault};
  ExportOutcome outcome;
  // The count in the header is the number of records actually written.
  if (!WriteRingTones(ringTones, databasePath, writer, &outcome.unreadableRingTones) ||
      !writer.Finish(static_cast<std::uint32_t>(written))) {
    outcome.result = ExportResult::kCannotWrite;
  }
  return outcome;
}
