#pragma once

#include <QString>

#include "device/contacts/contact_store_session.h"
#include "device/frame/job_outcome.h"
#include "device/frame/job_progress.h"

// The contacts restore: checks a contacts backup file (digest and layout), recreates each record
// as a new contact or as a SIM entry (in the slot of an entry of its name, else in the lowest
// free one), then deletes the contacts that were on the phone before under the name of a restored
// record (so restoring a file twice leaves its records once), and writes the ring-tone files that
// the phone does not have yet. The contacts of a name whose record was not restored all stay; a
// record without a name replaces only an identical contact; a record with no value is not stored.
// A record the phone's store refuses because another program holds it ends the restore there.
class CContactsRestoreJob {
 public:
  explicit CContactsRestoreJob(const QString& path) : m_strPath(path) {}

  CContactStoreSession m_session;  // closed when the job is destroyed
  QString m_strPath;
  JobProgress m_progress;
};

// The start protocol: an empty path shows "Please select the restore file!" and starts nothing;
// otherwise the worker runs under the progress dialog until it is done, and shows the outcome of
// the work.
void StartContactsRestore(CContactsRestoreJob& job);
unsigned ContactsRestoreThreadProc(CContactsRestoreJob* job);
// The worker's work: says how it went, with what failed on the way, and shows nothing.
JobOutcome RestoreContactsFile(CContactStoreSession& session, CContactsRestoreJob& job);
// The restore's step after the records: deletes the contacts marked as replaced by them. When
// another program holds the phone's store they are kept, and the outcome gets the note returned;
// otherwise the note is empty.
QString DeleteReplacedContacts(CContactStoreSession& session);
