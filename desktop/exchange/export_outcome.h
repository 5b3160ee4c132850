#pragma once

#include <QStringList>

#include "desktop/store/contact_database.h"

// How an export ended, with what its message needs. The exports show nothing themselves: the
// window that started one tells the user.
enum class ExportResult {
  kWritten,
  kNoRecords,      // Contact_Table has no row: nothing is created
  kDatabaseFault,  // the rows cannot be read (see ExportOutcome::fault)
  kCannotCreate,   // the file cannot be created
  kCannotWrite,    // writing the file failed
};

struct ExportOutcome {
  ExportResult result = ExportResult::kWritten;
  DatabaseFault fault = DatabaseFault::kNone;  // with kDatabaseFault
  // The contacts backup's ring tones whose files could not be read, in the order written: each
  // entry holds four zero bytes instead.
  QStringList unreadableRingTones = {};

  bool operator==(const ExportOutcome&) const = default;
};
