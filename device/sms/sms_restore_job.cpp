#include "device/sms/sms_restore_job.h"

#include <QFile>

#include <algorithm>

#include "common/regular_file.h"
#include "device/resources/skeldra_string_ids.h"
#include "device/sms/sms_backup_file.h"

CSmsRestoreJob::CSmsRestoreJob(const QString& path)
    : m_strPath(path), m_session(QStringLiteral("SMS")) {}

JobOutcome RunSmsRestore(CSmsRestoreJob& job) {
  job.m_progress.progress = 0.0;
  job.m_progress.done = 0;
  QFile file;
  QString reason;
  if (!OpenRegularFile(file, job.m_strPath.trimmed(), &reason)) return FileErrorOutcome(reason);
  quint32 count = 0;
  if (!ReadSmsFileHeader(file, count)) return {skeldra_strings::kValidationFailed, QString(), true};
  // Records beyond the count (a file whose count fell short of what it holds) are restored too,
  // rather than left out of a restore that reports success.
  for (qint64 number = 1; number <= count || !file.atEnd(); ++number) {
    job.m_progress.progress = count > 0 ? std::min(1.0, double(number) / double(count)) : 1.0;
    QString error;
    if (!ReadSmsRecord(job.m_session, file, error)) {
      if (file.error() != QFileDevice::NoError) return FileErrorOutcome(file.errorString());
      return {0, QStringLiteral("No.%1, ").arg(number) + error, false};
    }
  }
  if (file.error() != QFileDevice::NoError) return FileErrorOutcome(file.errorString());
  return {skeldra_strings::kRestoreSucceeded, QString(), false};
}
