#pragma once

#include <QString>

#include "desktop/exchange/backup/staged_ring_tones.h"
#include "desktop/exchange/progress_sink.h"
#include "desktop/store/database_connection.h"

// How a contacts backup import ended, with what its messages need.
enum class BackupImportResult {
  kComplete,
  kFileError,      // not a contacts backup file, or not whole: nothing is imported
  kDatabaseFault,  // the database cannot take the records (see BackupImportOutcome::fault):
                   // nothing is imported
  kFailed,         // a record failed (the others are in), or the database gave the import up
                   // (nothing is in)
};

struct BackupImportOutcome {
  BackupImportResult result = BackupImportResult::kComplete;
  StagedRingTones::Written ringTones = {};     // the ring-tone files that could not be written
  DatabaseFault fault = DatabaseFault::kNone;  // with kDatabaseFault

  bool operator==(const BackupImportOutcome&) const = default;
};

// Imports a contacts backup file into Contact_Table of the database at `databasePath`: each
// record replaces the rows of its composed name (SIM_Name) stored before the import (see
// ContactReplacer), pictures are stored as blobs, and the ring-tone files go to the folder "Ring"
// beside the database once the records are committed. A record without any value is no contact
// and is skipped. The whole file is read before anything is committed, so a damaged file imports
// nothing, and an import the database rolls back writes no ring tone. Each record's delete and
// insert run together: a record that fails leaves its old rows in place, and the others are still
// imported. A database that is not the program's, or that another program is using, gets
// nothing. On kComplete the caller marks the data as changed.
BackupImportOutcome ImportContactsBackup(const QString& backupPath, const QString& databasePath,
                                         ProgressSink* progress);
