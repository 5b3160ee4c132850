#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QMultiHash>

#include <functional>
#include <memory>
#include <vector>

#include "desktop/store/database_connection.h"

// What the imports do to Contact_Table: each record replaces the stored rows of its composed name
// (SIM_Name), and all records go in under one transaction, which is what makes an import of many
// thousand records take seconds instead of minutes.
//
// A record's delete and insert run under a savepoint, so a failing insert takes its delete back
// with it: the old rows stay and the other records still go in. An empty name replaces nothing:
// it would match every other nameless contact, those of the same file included.
//
// The replacer keeps the IDs of the rows of each name in memory, read once when it begins and
// kept up to date as records go in, so finding the rows to replace costs no query, and deleting
// them one by ID needs no index on the name. That takes some 100 bytes a row of the table.
class ContactReplacer {
 public:
  // Begins the transaction on `db` and reads the names; IsBegun() tells whether it could.
  explicit ContactReplacer(DatabaseConnection& db);

  bool IsBegun() const { return begun_; }
  // Deletes the rows named `name` (as the table stores it, in ANSI bytes) and runs `insert`,
  // which inserts one row and returns whether it went in. True when it did.
  bool ReplaceAnsi(QByteArrayView name, const std::function<bool()>& insert);
  // True once the database has given the transaction up (disk full or an I/O error make it roll
  // everything back): nothing is in, and the import should stop.
  bool Stopped() const;
  // Commits what went in; false, with everything rolled back, when it cannot.
  bool Commit();
  // Takes back everything of the transaction.
  void Rollback();

 private:
  bool Begin();
  // Runs a statement prepared once for the whole import.
  static bool RunOnce(SqlStatement& statement);
  // Deletes the rows of the name, `id` and any others.
  bool DeleteRows(QByteArrayView name, qint64 id);
  // A lasting copy of a name's bytes, for a key.
  QByteArrayView KeepName(QByteArrayView name);

  DatabaseConnection& db_;
  // The stored names as ANSI bytes: the row of each name, and the others of names that several
  // rows bear (only rows stored before the import can). The keys' bytes lie in blocks of their
  // own that never move, which saves a name an allocation of its own.
  QHash<QByteArrayView, qint64> rowByName_;
  QMultiHash<QByteArrayView, qint64> moreRowsByName_;
  std::vector<std::unique_ptr<char[]>> nameBlocks_;
  qsizetype nameBlockUsed_ = 0;
  qsizetype nameBlockLeft_ = 0;
  bool begun_;
  SqlStatement deleteById_;
  SqlStatement savepoint_;
  SqlStatement rollback_;
  SqlStatement release_;
};
