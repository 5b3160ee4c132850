#pragma once

#include <QString>

#include <functional>

#include "desktop/store/database_connection.h"

// What the imports do to Contact_Table: each record replaces the stored rows of its composed name
// (SIM_Name), and all records go in under one transaction, which is what makes an import of many
// thousand records take seconds instead of minutes.
//
// A record's delete and insert run under a savepoint, so a failing insert takes its delete back
// with it: the old rows stay and the other records still go in. An empty name replaces nothing:
// it would match every other nameless contact, those of the same file included.
class ContactReplacer {
 public:
  // Begins the transaction on `db`; IsBegun() tells whether it could.
  explicit ContactReplacer(DatabaseConnection& db);

  bool IsBegun() const { return begun_; }
  // Deletes the rows named `name` and runs `insert`, which returns whether the record went in.
  // True when it did.
  bool Replace(const QString& name, const std::function<bool()>& insert);
  // True once the database has given the transaction up (disk full or an I/O error make it roll
  // everything back): nothing is in, and the import should stop.
  bool Stopped() const;
  // Commits what went in; false, with everything rolled back, when it cannot.
  bool Commit();
  // Takes back everything of the transaction.
  void Rollback();

 private:
  // Runs a statement prepared once for the whole import.
  static bool RunOnce(SqlStatement& statement);
  bool HasRowsNamed(const QString& name);

  DatabaseConnection& db_;
  bool begun_;
  SqlStatement countByName_;
  SqlStatement deleteByName_;
  SqlStatement savepoint_;
  SqlStatement rollback_;
  SqlStatement release_;
};
