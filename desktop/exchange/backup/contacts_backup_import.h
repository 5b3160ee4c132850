#pragma once

#include <QString>

#include "desktop/exchange/progress_sink.h"

// Imports a contacts backup file into Contact_Table of the database at `databasePath`: each
// record replaces the rows of its composed name (SIM_Name) stored before the import (see
// ContactReplacer), pictures are stored as blobs, and the ring-tone files go to the folder "Ring"
// beside the database once the records are committed. A record without any value is no contact
// and is skipped. The whole file is read before anything is committed, so a damaged file imports
// nothing, and an import the database rolls back writes no ring tone. Each record's delete and
// insert run together: a record that fails leaves its old rows in place, and the others are still
// imported.
//
// Reports the outcome in one tips box ("Import contacts complete!" or an error). Returns true
// on complete success, when the caller marks the data as changed.
bool ImportContactsBackup(const QString& backupPath, const QString& databasePath,
                          ProgressSink* progress);
