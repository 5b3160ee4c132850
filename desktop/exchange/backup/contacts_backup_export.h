#pragma once

#include <QString>

#include "desktop/exchange/export_outcome.h"
#include "desktop/exchange/progress_sink.h"

// Writes every row of Contact_Table of the database at `databasePath`, phone contacts first, and
// the ring-tone files that phone contacts name (read from the folder "Ring" beside the
// database) into a contacts backup file. The file is written beside the target and moved into
// place only when complete: a failed export leaves no file behind and an existing one untouched.
// A ring-tone file that cannot be read is written as four zero bytes and named in the outcome.
ExportOutcome ExportContactsBackup(const QString& backupPath, const QString& databasePath,
                                   ProgressSink* progress);
