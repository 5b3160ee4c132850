#include "device/sms/sms_backup_job.h"

#include <QSaveFile>

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "device/sms/sms_text_listing.h"

namespace {

// One message appended to the file: 1 written, 0 failed.
using SmsRecordWriter = int (*)(QFileDevice& file, CSmsMessage& message);

constexpr int kBackupFailed = 131;     // "Error occurred. Backup Failed."
constexpr int kBackupSucceeded = 132;  // "Backup Succeeded."

SmsRecordWriter WriterOfMode(int mode) {
  if (mode == kSmsBackupFileMode) return WriteSmsRecord;
  if (mode == kSmsTextListingMode) return WriteSmsText;
  return nullptr;
}

// Why writing the file failed, in the system's words ("No space left on device"). A write that
// stops part way, as the last one does when the disk fills up, leaves Qt no reason to give
// ("Unknown error"), so the system is asked with one byte more at the end of the file: the file
// is being dropped anyway.
QString WriteFailureText(QSaveFile& file) {
  const int handle = file.handle();
  if (handle >= 0 && ::write(handle, "", 1) < 0) return qt_error_string(errno);
  return file.errorString();
}

void CountWritten(CSmsBackupJob& job) {
  ++job.m_nCount;
  // The store may have gained messages since they were counted; the bar stops at its end.
  const double progress = job.m_nTotal > 0 ? double(job.m_nCount) / double(job.m_nTotal) : 1.0;
  job.m_progress.progress = std::min(progress, 1.0);
}

}  // namespace

CSmsBackupJob::CSmsBackupJob(int mode, const QString& path, const FolderFlags& folderFlags)
    : m_strPath(path),
      m_folderFlags(folderFlags),
      m_nMode(mode),
      m_session(QStringLiteral("SMS")) {}

int CountFolderMessages(CSmsBackupJob& job, CMapiFolder& folder) {
  int count = 0;
  if (CMapiContentsTable* table = folder.ContentsTable()) count = int(table->RowCount());
  if (const auto* subfolders = folder.Subfolders()) {
    for (const std::unique_ptr<CMapiFolder>& subfolder : *subfolders) {
      count += CountFolderMessages(job, *subfolder);
    }
  }
  return count;
}

int CountSelectedMessages(CSmsBackupJob& job) {
  int total = 0;
  for (const SmsFolderEntry& entry : kSmsFolders) {
    if (job.m_folderFlags[int(entry.folder)] == 0) continue;
    if (CMapiFolder* folder = job.m_session.SpecialFolder(entry.folder)) {
      total += CountFolderMessages(job, *folder);
    }
  }
  return total;
}

int BackupFolder(CSmsBackupJob& job, QFileDevice& file, CMapiFolder& folder) {
  const SmsRecordWriter writer = WriterOfMode(job.m_nMode);
  CMapiContentsTable* table = folder.ContentsTable();
  if (writer == nullptr || table == nullptr || !table->Rewind()) return 0;
  while (CSmsMessage* message = table->NextMessage()) {
    if (!writer(file, *message)) return 0;
    CountWritten(job);
  }
  // A table that ended early has left messages out.
  if (table->Failed()) return 0;
  const auto* subfolders = folder.Subfolders();
  if (subfolders == nullptr) return 0;
  for (const std::unique_ptr<CMapiFolder>& subfolder : *subfolders) {
    if (!BackupFolder(job, file, *subfolder)) return 0;
  }
  return 1;
}

int BackupSelectedFolders(CSmsBackupJob& job, QFileDevice& file) {
  for (const SmsFolderEntry& entry : kSmsFolders) {
    if (job.m_folderFlags[int(entry.folder)] == 0) continue;
    CMapiFolder* folder = job.m_session.SpecialFolder(entry.folder);
    if (folder == nullptr || !BackupFolder(job, file, *folder)) return 0;
  }
  return 1;
}

SmsJobOutcome RunSmsBackup(CSmsBackupJob& job) {
  // The file is written beside the target and replaces it only when whole: a backup that fails
  // or is killed keeps the previous file.
  QSaveFile file(job.m_strPath.trimmed());
  if (!file.open(QIODevice::WriteOnly)) return FileErrorOutcome(file.errorString());
  const int written = job.m_nMode == kSmsTextListingMode ? BackupSelectedFolders(job, file)
                                                         : WriteSmsBackupFile(job, file);
  if (file.error() != QFileDevice::NoError) return FileErrorOutcome(WriteFailureText(file));
  if (!written) return {kBackupFailed, QString(), false};
  if (!file.commit()) return FileErrorOutcome(file.errorString());
  return {kBackupSucceeded, QString(), false};
}
