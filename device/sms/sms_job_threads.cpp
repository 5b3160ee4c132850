#include "device/sms/sms_job_threads.h"

#include <algorithm>
#include <functional>

#include "platform/device/shell/message_box.h"
#include "platform/windows/resources.h"

namespace {

constexpr int kSelectSavePath = 129;  // "Please Select Save Path."
constexpr int kSelectFolder = 130;    // "Please Select Folder for Backup."
constexpr int kSelectFilePath = 135;  // "Please Select File Path."

// Shows the outcome and marks the job done, in the order the outcome asks; once done is set the
// job may be gone, so nothing of it is touched afterwards.
void FinishSmsJob(const SmsJobOutcome& outcome, JobProgress& progress) {
  const QString text = outcome.stringId != 0 ? LoadString(outcome.stringId) : outcome.text;
  if (outcome.doneBeforeMessage) {
    progress.done = 1;
    AfxMessageBox(text, MB_OK);
  } else {
    AfxMessageBox(text, MB_OK);
    progress.done = 1;
  }
}

}  // namespace

void StartSmsBackup(CSmsBackupJob& job) {
  if (job.m_strPath.trimmed().isEmpty()) {
    AfxMessageBox(LoadString(kSelectSavePath), MB_OK);
    return;
  }
  if (std::ranges::none_of(job.m_folderFlags, std::identity())) {
    AfxMessageBox(LoadString(kSelectFolder), MB_OK);
    return;
  }
  job.m_nTotal = CountSelectedMessages(job);
  job.m_nCount = 0;
  RunJobUnderProgressDialog(job.m_progress, [&job] { SmsBackupThreadProc(&job); });
}

int SmsBackupThreadProc(CSmsBackupJob* job) {
  FinishSmsJob(RunSmsBackup(*job), job->m_progress);
  return 0;
}

void StartSmsRestore(CSmsRestoreJob& job) {
  StartJobWithPath(job.m_strPath, LoadString(kSelectFilePath), job.m_progress,
                   [&job] { SmsRestoreThreadProc(&job); });
}

int SmsRestoreThreadProc(CSmsRestoreJob* job) {
  FinishSmsJob(RunSmsRestore(*job), job->m_progress);
  return 0;
}
