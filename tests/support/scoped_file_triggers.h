#pragma once

#include "common/sqlite_connection.h"

// Lets the triggers of a database file run on the connections opened while it exists, for a test
// that injects faults through triggers; they never run again afterwards, as in the programs.
class ScopedFileTriggers {
 public:
  ScopedFileTriggers() { SqliteConnection::RunFileTriggers(true); }
  ~ScopedFileTriggers() { SqliteConnection::RunFileTriggers(false); }
  ScopedFileTriggers(const ScopedFileTriggers&) = delete;
  ScopedFileTriggers& operator=(const ScopedFileTriggers&) = delete;
};
