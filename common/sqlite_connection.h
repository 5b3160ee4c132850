#pragma once

#include <QString>

#include <sqlite3.h>

// One connection to an SQLite database file, opened read-write (the file created when missing)
// when constructed and closed when destroyed, on every path out. The desktop's contact database
// and the phone's database both build on it and add what differs: the text encoding of
// statements, a cache of statements, waiting for a busy file, what a failure means to a user.
//
// Every file it opens may come from outside the program, so every connection is hardened: the
// file's schema (defaults, checks, indexes) may run nothing but plain SQL, never a function the
// program registers unless that is marked harmless, and no statement may write to the database
// behind SQLite's back (the schema table, the journal turned off, raw pages). The programs create
// no triggers or views, so those a file holds came from elsewhere: they never run, since a
// trigger could change what the programs write or keep one statement busy for ever (a trigger
// that fires itself), and a view could stand where a table is expected. Using a view fails.
class SqliteConnection {
 public:
  // Which threads may use the connection.
  enum class Threads {
    kOneAtATime,  // one thread at a time: SQLite takes no lock of its own on each call
    kAnyAtOnce,   // several at once: SQLite serializes the calls
  };

  SqliteConnection(const QString& path, Threads threads);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  bool IsOpen() const { return db_ != nullptr; }
  sqlite3* Handle() const { return db_; }

  // Runs one or more statements without parameters or results; SQLite's result code, and
  // SQLITE_CANTOPEN when the connection is not open.
  int Exec(const char* sql);
  // SQLite's result code for the last failure: the open's when the open failed.
  int ErrorCode() const;
  // SQLite's text for the last failure (UTF-8, or the bytes of the statement that failed).
  const char* ErrorMessage() const;

  // Lets the triggers of a file run on the connections opened from now on, or not (the default).
  // Only tests turn them on: they inject faults through triggers (tests/support's
  // ScopedFileTriggers).
  static void RunFileTriggers(bool run);

 protected:
  // Closes the connection before its end, as if the open had failed with `result`: every later
  // call fails with it.
  void Close(int result);

 private:
  sqlite3* db_ = nullptr;
  int openResult_ = SQLITE_OK;
};
