#include "device/contacts/contacts_backup_job.h"

#include <QSet>
#include <QStringList>

#include <optional>
#include <vector>

#include "common/contacts_backup_file.h"
#include "device/contacts/contact_properties.h"
#include "device/contacts/contacts_text_listing.h"
#include "device/frame/device_text.h"
#include "device/resources/marrowind_string_ids.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/windows/resources.h"

namespace {

// The ring-tone file's bytes, or four zero bytes when it cannot be read; nothing for a file
// larger than an entry can hold, which is not read at all.
std::optional<QByteArray> RingToneBytes(const QString& phonePath) {
  std::unique_ptr<QFile> file = OpenPhoneFileForReading(phonePath);
  if (file && file->size() > kMaxBackupBytes) return std::nullopt;
  if (file) {
    QByteArray bytes = file->readAll();
    if (file->error() == QFileDevice::NoError) return bytes;
  }
  return MissingRingToneData();
}

class BackupFileRun {
 public:
  BackupFileRun(CContactStoreSession& session, JobProgress& progress)
      : session_(session), progress_(progress) {}

  // Writes the whole file; how it went.
  JobOutcome Write(const QString& path);

 private:
  bool WriteContact(IPOutlookItemCollection& items, int index);
  void WriteSimEntry(const SimEntry& entry);
  void WriteRingTones();
  void SetProgress(double passed) { progress_.progress = passed / (total_ + 2); }

  CContactStoreSession& session_;
  JobProgress& progress_;
  ContactsBackupWriter writer_;
  int total_ = 0;          // T: contacts and used SIM entries
  int written_ = 0;        // W: records written
  int passed_ = 0;         // P: positions passed
  QStringList ringTones_;  // in first-seen order
  QSet<QString> knownRingTones_;
};

JobOutcome BackupFileRun::Write(const QString& path) {
  const DWORD used = session_.SimUsedCount();
  if (!writer_.Create(path, 0)) return CannotCreateFileOutcome(path);
  std::optional<CContactStoreSession::ContactItems> contacts = session_.GetContactItems();
  total_ = static_cast<int>(used) + (contacts ? contacts->count : 0);
  passed_ = contacts ? contacts->count : -1;
  for (int i = 1; contacts && i <= contacts->count; ++i) {
    if (WriteContact(*contacts->items, i)) ++written_;
    SetProgress(i);
  }
  session_.ForEachSimEntry(used, [this](DWORD, const SimEntry& entry) { WriteSimEntry(entry); });
  WriteRingTones();
  SetProgress(passed_ + 2);
  if (!writer_.Finish(static_cast<std::uint32_t>(written_))) return {0, CannotWriteFileText(path)};
  return BackupOutcome(contacts.has_value(), total_, written_);
}

bool BackupFileRun::WriteContact(IPOutlookItemCollection& items, int index) {
  const CEOID oid = session_.ContactOidAt(items, index);
  std::unique_ptr<IItem> item = oid != 0 ? session_.ContactItem(oid) : nullptr;
  std::optional<std::vector<CEPROPVAL>> values = item ? ReadBackupValues(*item) : std::nullopt;
  if (!values) return false;
  const QString ringTone = FoundText((*values)[kBackupItemRingTone]);
  if (!ringTone.isEmpty() && !knownRingTones_.contains(ringTone)) {
    knownRingTones_.insert(ringTone);
    ringTones_.append(ringTone);
  }
  return writer_.WritePhoneRecord(ContactBodyOf(*values, ReadPicture(*item)));
}

void BackupFileRun::WriteSimEntry(const SimEntry& entry) {
  writer_.WriteSimRecord({WideToAnsi(entry.Name()), WideToAnsi(entry.Number())});
  ++passed_;
  ++written_;
  SetProgress(passed_);
}

// A ring tone too large for the file fails the backup before anything of it is written: the
// restore would refuse the file.
void BackupFileRun::WriteRingTones() {
  writer_.WriteRingToneCount(static_cast<std::int32_t>(ringTones_.size()));
  for (const QString& path : ringTones_) {
    std::optional<QByteArray> bytes = RingToneBytes(path);
    if (!bytes) {
      writer_.Abandon();
      return;
    }
    writer_.WriteRingTone({WideToAnsi(path), *bytes});
  }
}

}  // namespace

ContactsBackupMode BackupModeForPath(const QString& path) {
  return GetFileExtension(path) == QLatin1String(".txt") ? ContactsBackupMode::kText
                                                         : ContactsBackupMode::kFile;
}

void StartContactsBackup(CContactsBackupJob& job) {
  StartJobWithPath(job.m_strPath, LoadString(marrowind_strings::kEmptySavePath), job.m_progress,
                   [&job] { ContactsBackupThreadProc(&job); });
}

unsigned ContactsBackupThreadProc(CContactsBackupJob* job) {
  FinishJob(RunContactsBackup(job->m_session, *job), job->m_progress);
  return 0;
}

JobOutcome RunContactsBackup(CContactStoreSession& session, CContactsBackupJob& job) {
  return job.m_mode == ContactsBackupMode::kText ? ExportContactsText(session, job)
                                                 : WriteContactsBackupFile(session, job);
}

JobOutcome WriteContactsBackupFile(CContactStoreSession& session, CContactsBackupJob& job) {
  BackupFileRun run(session, job.m_progress);
  return run.Write(job.m_strPath);
}

JobOutcome BackupOutcome(bool contactsRead, int total, int written) {
  if (!contactsRead) {
    return {0, QStringLiteral("Can't read the Outlook contacts, only had backup %1 SIM items!")
                   .arg(written)};
  }
  if (written == total) return {.stringId = marrowind_strings::kBackupSucceeded};
  return {
      0,
      QStringLiteral("The Contacts has %1 items,but had backup %2 items!").arg(total).arg(written)};
}

JobOutcome CannotCreateFileOutcome(const QString& path) {
  return {0, QStringLiteral("Can't create file:") + path};
}

QString CannotWriteFileText(const QString& path) {
  return QStringLiteral("Can't write file:") + path;
}
