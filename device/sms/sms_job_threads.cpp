#include "device/sms/sms_job_threads.h"

#include <algorithm>
#include <functional>

#include "device/resources/skeldra_string_ids.h"
#include "platform/device/shell/message_box.h"
#include "platform/windows/resources.h"

void StartSmsBackup(CSmsBackupJob& job) {
  if (job.m_strPath.trimmed().isEmpty()) {
    AfxMessageBox(LoadString(skeldra_strings::kSelectSavePath), MB_OK);
    return;
  }
  if (std::ranges::none_of(job.m_folderFlags, std::identity())) {
    AfxMessageBox(LoadString(skeldra_strings::kSelectFolder), MB_OK);
    return;
  }
  job.m_nTotal = CountSelectedMessages(job);
  job.m_nCount = 0;
  RunJobUnderProgressDialog(job.m_progress, [&job] { SmsBackupThreadProc(&job); });
}

int SmsBackupThreadProc(CSmsBackupJob* job) {
  FinishJob(RunSmsBackup(*job), job->m_progress);
  return 0;
}

void StartSmsRestore(CSmsRestoreJob& job) {
  StartJobWithPath(job.m_strPath, LoadString(skeldra_strings::kSelectFilePath), job.m_progress,
                   [&job] { SmsRestoreThreadProc(&job); });
}

int SmsRestoreThreadProc(CSmsRestoreJob* job) {
  FinishJob(RunSmsRestore(*job), job->m_progress);
  return 0;
}
