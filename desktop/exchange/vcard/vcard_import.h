#pragma once

#include <QString>

#include "desktop/store/database_connection.h"

// How a vCard import ended, with what its messages need.
enum class VCardImportResult {
  kRead,        // the file was read to its end: see the counts
  kNotFound,    // no file at the path: nothing changes
  kTooLarge,    // a card over the bound of vcard_parser.h: nothing of the file is stored
  kUnreadable,  // the file cannot be read: nothing of it is stored
};

struct VCardImportOutcome {
  int stored = 0;
  int failed = 0;
  VCardImportResult result = VCardImportResult::kRead;
  // Why the database took no card (it cannot be opened, is not the program's, another program is
  // using it): then every card counts as failed.
  DatabaseFault fault = DatabaseFault::kNone;

  bool operator==(const VCardImportOutcome&) const = default;
};

// Imports the cards of a vCard file of any size (see vcard_parser.h), read a batch at a time,
// into Contact_Table of the database at `databasePath`. Each card becomes a phone contact that
// replaces the rows of its composed name ("Last,First Middle") stored before the import (see
// ContactReplacer); a card without any value is no contact: it is neither stored nor counted. All
// cards go in under one transaction; a card that the database refuses keeps the rows it would
// have replaced, and the others still go in. Unless the file is not found, the caller marks the
// data as changed.
VCardImportOutcome ImportVCard(const QString& vcardPath, const QString& databasePath);
