#include "device/sms/sms_backup_job.h"

#include <QSaveFile>

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "device/sms/sms_text_listing.h"

namespace {

// One message appended to the file: true when written.
using SmsRecordWriter = bool (*)(QFileDevice& file, CSmsMessage& message);

constexpr int kBackupFailed = 131;     // "Error occurred. Backup Failed."
constexpr int kBackupSucceeded = 132;  // "Backup Succeeded."

SmsRecordWriter WriterOfMode(SmsBackupMode mode) {
  return mode == SmsBackupMode::kTextListing ? WriteSmsText : WriteSmsRecord;
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

bool BackupFolder(CSmsBackupJob& job, QFileDevice& file, CMapiFolder& folder) {
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

bool BackupSelectedFolders(CSmsBackupJob& job, QFileDevice& file) {
  for (const SmsFolderEntry& entry : kSmsFolders) {
    if (!job.m_folderFlags[int(entry.folder)]) continue;
    CMapiFolder* folder = job.m_session.SpecialFolder(entry.folder);
    if (folder == nullptr || !BackupFolder(job, file, *folder)) return false;
  }
  return true;
}

SmsJobOutcome RunSmsBackup(CSmsBackupJob& job) {
  // The file is written beside the target and replaces it only when whole: a backup that fails
  // or is killed keeps the previous file.
  QSaveFile file(job.m_strPath.trimmed());
  if (!file.open(QIODevice::WriteOnly)) return FileErrorOutcome(file.errorString());
  const bool written = job.m_mode == SmsBackupMode::kTextListing ? BackupSelectedFolders(job, file)
                                                                 : WriteSmsBackupFile(job, file);
  if (file.error() != QFileDevice::NoError) return FileErrorOutcome(WriteFailureText(file));
  if (!written) return {kBackupFailed, QString(), false};
  if (!file.commit()) return FileErrorOutcome(file.errorString());
  return {kBackupSucceeded, QString(), false};
}
