#pragma once

#include <QString>

#include "device/contacts/contact_store_session.h"
#include "device/frame/job_outcome.h"
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

// The start protocol: an empty path shows "Please input the save file's name!" and starts
// nothing; otherwise the worker runs under the progress dialog until it is done, and shows the
// outcome of the work.
void StartContactsBackup(CContactsBackupJob& job);
unsigned ContactsBackupThreadProc(CContactsBackupJob* job);
// The worker's work, by the job's mode: says how it went and shows nothing.
JobOutcome RunContactsBackup(CContactStoreSession& session, CContactsBackupJob& job);
JobOutcome WriteContactsBackupFile(CContactStoreSession& session, CContactsBackupJob& job);

// The outcome of a backup: "Backup succeed." when every contact and used SIM entry was written,
// else the shortfall; when the contacts folder could not be read at all, the SIM entries written
// are all there is, and the message says so rather than report success. Then the outcomes of an
// output file that could not be made or written, and the text of the latter.
JobOutcome BackupOutcome(bool contactsRead, int total, int written);
JobOutcome CannotCreateFileOutcome(const QString& path);
QString CannotWriteFileText(const QString& path);
