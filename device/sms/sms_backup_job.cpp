#include "device/sms/sms_backup_job.h"

#include <algorithm>

#include "common/whole_file_writer.h"
#include "device/resources/skeldra_string_ids.h"
#include "device/sms/sms_text_listing.h"

namespace {

// One message appended to the file: true when written.
using SmsRecordWriter = bool (*)(QIODevice& file, CSmsMessage& message);

SmsRecordWriter WriterOfMode(SmsBackupMode mode) {
  return mode == SmsBackupMode::kTextListing ? WriteSmsText : WriteSmsRecord;
}

void CountWritten(CSmsBackupJob& job) {
  ++job.m_nCount;
  // The store may have gained messages since they were counted; the bar stops at its end.
  const double progress = job.m_nTotal > 0 ? double(job.m_nCount) / double(job.m_nTotal) : 1.0;
  job.m_progress.progress = std::min(progress, 1.0);
}

}  // namespace

CSmsBackupJob::CSmsBackupJob(SmsBackupMode mode, const QString& path,
                             const FolderFlags& folderFlags)
    : m_strPath(path), m_folderFlags(folderFlags), m_mode(mode), m_session(QStringLiteral("SMS")) {}

int CountFolderMessages(CSmsBackupJob&, CMapiFolder& folder) {
  int count = 0;
  folder.VisitFolderTree([&count](CMapiFolder& below) {
    if (CMapiContentsTable* table = below.ContentsTable()) count += int(table->RowCount());
    return true;
  });
  return count;
}

int CountSelectedMessages(CSmsBackupJob& job) {
  int total = 0;
  for (const SmsFolderEntry& entry : kSmsFolders) {
    if (!job.m_folderFlags[int(entry.folder)]) continue;
    if (CMapiFolder* folder = job.m_session.SpecialFolder(entry.folder)) {
      total += CountFolderMessages(job, *folder);
    }
  }
  return total;
}

bool BackupFolder(CSmsBackupJob& job, QIODevice& file, CMapiFolder& folder) {
  const SmsRecordWriter writer = WriterOfMode(job.m_mode);
  return folder.VisitFolderTree([&](CMapiFolder& below) {
    CMapiContentsTable* table = below.ContentsTable();
    if (table == nullptr || !table->Rewind()) return false;
    while (CSmsMessage* message = table->NextMessage()) {
      if (!writer(file, *message)) return false;
      CountWritten(job);
    }
    // A table that ended early has left messages out.
    return !table->Failed();
  });
}

bool BackupSelectedFolders(CSmsBackupJob& job, QIODevice& file) {
  for (const SmsFolderEntry& entry : kSmsFolders) {
    if (!job.m_folderFlags[int(entry.folder)]) continue;
    CMapiFolder* folder = job.m_session.SpecialFolder(entry.folder);
    if (folder == nullptr || !BackupFolder(job, file, *folder)) return false;
  }
  return true;
}

JobOutcome RunSmsBackup(CSmsBackupJob& job) {
  // The file replaces the target only when whole: a backup that fails or is killed keeps the
  // previous file.
  WholeFileWriter file(job.m_strPath.trimmed());
  if (!file.open(QIODevice::WriteOnly)) return FileErrorOutcome(file.errorString());
  const bool written = job.m_mode == SmsBackupMode::kTextListing ? BackupSelectedFolders(job, file)
                                                                 : WriteSmsBackupFile(job, file);
  if (file.hasFailed()) return FileErrorOutcome(file.errorString());
  if (!written) return {skeldra_strings::kBackupFailed, QString(), false};
  if (!file.commit()) return FileErrorOutcome(file.errorString());
  return {skeldra_strings::kBackupSucceeded, QString(), false};
}
