#pragma once

#include <QString>

#include "device/contacts/contact_store_session.h"
#include "device/frame/job_progress.h"

// The contacts backup: every contact of the contact store and every used SIM entry, written on
// the worker thread into a contacts backup file, or into the text listing when the chosen name
// ends in ".txt" (the test is case-sensitive: ".TXT" writes a backup file).

enum class ContactsBackupMode { kFile, kText };

class CContactsBackupJob {
 public:
  CContactsBackupJob(ContactsBackupMode mode, const QString& path)
      : m_mode(mode), m_strPath(path) {}

  ContactsBackupMode m_mode;
  QString m_strPath;
  JobProgress m_progress;
  CContactStoreSession m_session;  // closed when the job is destroyed
};

// The backup mode of a chosen file name.
ContactsBackupMode BackupModeForPath(const QString& path);

// The start protocol: an empty path shows string 132 and starts nothing; otherwise the worker
// runs under the progress dialog until it is done.
void StartContactsBackup(CContactsBackupJob& job);
unsigned ContactsBackupThreadProc(CContactsBackupJob* job);
// The worker's work, by the job's mode. Shows the outcome and sets done.
void RunContactsBackup(CContactStoreSession& session, CContactsBackupJob& job);
void WriteContactsBackupFile(CContactStoreSession& session, CContactsBackupJob& job);

// The outcome texts of a backup: "Backup succeed." when every contact and used SIM entry was
// written, else the shortfall; when the contacts folder could not be read at all, the SIM
// entries written are all there is, and the message says so rather than report success. Then
// the texts for an output file that could not be made or written.
QString BackupOutcomeText(bool contactsRead, int total, int written);
QString CannotCreateFileText(const QString& path);
QString CannotWriteFileText(const QString& path);

// The worker's last steps on every path: shows the outcome, then sets done (after which the job
// may be gone).
void FinishContactsJob(JobProgress& progress, const QString& outcome);
