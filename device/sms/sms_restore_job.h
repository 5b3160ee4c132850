#pragma once

#include <QString>

#include "device/frame/job_progress.h"
#include "device/sms/mapi_session.h"
#include "device/sms/sms_job_outcome.h"

// A restore of an SMS backup file into the store "SMS": every record's message goes back into
// the folder its path names, unless it repeats a message that folder held before (ReadSmsRecord).
// The main frame builds it on its stack; the constructor opens the session, the destructor
// closes it.
class CSmsRestoreJob {
 public:
  explicit CSmsRestoreJob(const QString& path);

  QString m_strPath;
  CMapiSession m_session;
  JobProgress m_progress;
};

// The worker's work: checks the file's digest, then restores its records in order and stops at
// the first one that fails ("No.3, Parse sender info error!"); messages restored before it stay.
// Progress before each record is its number over the record count.
JobOutcome RunSmsRestore(CSmsRestoreJob& job);
