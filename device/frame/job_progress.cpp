#include "device/frame/job_progress.h"

#include "device/frame/progress_dialog.h"
#include "platform/device/shell/message_box.h"
#include "platform/device/shell/worker_thread.h"

bool RunJobUnderProgressDialog(JobProgress& job, std::function<void()> threadProc) {
  job.progress = 0.0;
  job.done = 0;
  if (!CreateThread(std::move(threadProc))) {
    AfxMessageBox(QStringLiteral("Create thread error."), MB_OK);
    return false;
  }
  CProgressDialog dialog(&job.progress, &job.done);
  dialog.DoModal();
  return true;
}

void StartJobWithPath(const QString& path, const QString& emptyPathText, JobProgress& job,
                      std::function<void()> threadProc) {
  if (path.isEmpty()) {
    AfxMessageBox(emptyPathText, MB_OK);
    return;
  }
  RunJobUnderProgressDialog(job, std::move(threadProc));
}
