#pragma once

#include "device/sms/sms_backup_job.h"
#include "device/sms/sms_restore_job.h"

// How the SMS jobs run: the start operation makes its checks on the UI thread, starts the
// worker and shows the progress dialog until the worker is done; the worker does the job's work
// and shows its outcome itself.

// Empty path: "Please Select Save Path."; no folder chosen: "Please Select Folder for Backup.";
// otherwise counts the messages and runs the backup.
void StartSmsBackup(CSmsBackupJob& job);
int SmsBackupThreadProc(CSmsBackupJob* job);

// Empty path: "Please Select File Path."; otherwise runs the restore.
void StartSmsRestore(CSmsRestoreJob& job);
int SmsRestoreThreadProc(CSmsRestoreJob* job);
