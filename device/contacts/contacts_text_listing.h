#pragma once

#include "device/contacts/contacts_backup_job.h"

// The contacts text listing: a human-readable block per contact, then one per SIM entry, each
// ending with a line of 44 "-"; ANSI text with CR LF line ends, no header. It cannot be
// restored. Runs on the worker thread instead of the backup file when the name ends in ".txt";
// says how it went.
JobOutcome ExportContactsText(CContactStoreSession& session, CContactsBackupJob& job);
