#pragma once

#include <QString>

#include "desktop/exchange/progress_sink.h"

// Writes every row of Contact_Table of the database at `databasePath`, phone contacts first, and
// the ring-tone files that phone contacts name (read from the folder "Ring" beside the
// database) into a contacts backup file. The file is written beside the target and moved into
// place only when complete: a failed export leaves no file behind and an existing one untouched.
//
// Reports the outcome in a tips box ("Contacts exported complete!" or an error), plus one for
// each ring-tone file that cannot be read. Returns true when the file was written.
bool ExportContactsBackup(const QString& backupPath, const QString& databasePath,
                          ProgressSink* progress);
