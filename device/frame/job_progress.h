#pragma once

#include <QString>

#include <atomic>
#include <functional>

// How a phone job runs. A frame command builds the job as a local object, opens its store
// session, and starts it: the job's thread procedure runs on one worker thread while the UI
// thread shows the modal CProgressDialog; the command returns once the dialog has ended, and then
// destroys the job.
//
// The worker and the dialog share only the job's JobProgress. The worker sets `progress` (0.0 to
// 1.0) as it goes, shows its own result with AfxMessageBox (platform/device/shell/message_box.h: it
// waits on the worker while the box is up on the UI thread, and the dialog keeps polling), and
// sets `done` to 1 as the very last use of the job on every path out of its work: once `done` is
// 1 the job may be destroyed at any moment (a message shown after that may not read the job).
//
// A job's start operation, for example:
//   void StartContactsBackup(CContactsBackupJob& job) {
//     StartJobWithPath(job.m_strPath, LoadString(132), job.m_progress,
//                      [&job] { ContactsBackupThreadProc(&job); });
//   }
// A job with checks of its own makes them first and then calls RunJobUnderProgressDialog.

struct JobProgress {
  std::atomic<int> done{0};
  std::atomic<double> progress{0.0};
};

// Sets progress to 0.0 and done to 0, starts `threadProc` on a new worker thread and runs the
// progress dialog until the worker has set done. When the thread cannot be created: the message
// "Create thread error.", no dialog, and false.
bool RunJobUnderProgressDialog(JobProgress& job, std::function<void()> threadProc);

// The whole start protocol of a job whose only check is its file path: an empty path shows
// `emptyPathText` and starts nothing; otherwise RunJobUnderProgressDialog.
void StartJobWithPath(const QString& path, const QString& emptyPathText, JobProgress& job,
                      std::function<void()> threadProc);
