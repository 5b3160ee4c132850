#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"

// What the imports do to Contact_Table: each record replaces the rows of its composed name
// (SIM_Name) that were stored before the import began, and all records go in under one
// transaction, which is what makes an import of many thousand records take seconds instead of
// minutes. Records of one import never replace each other: four contacts of one name in a file
// become four rows, and importing the same file again leaves them exactly once.
//
// A nameless record has no name to go by, so it replaces only the nameless rows stored before the
// import that hold exactly its values (same type, same bytes) in every column its insert writes:
// importing a file again brings none of its nameless contacts twice, and no other nameless contact
// is lost.
//
// A record's insert and deletes run under a savepoint, so a failing insert takes its deletes back
// with it: the old rows stay and the other records still go in.
//
// The replacer keeps the IDs of the stored rows of each name in memory, read once when it begins,
// so finding the rows to replace costs no query, and deleting them one by ID needs no index on
// the name. That takes some 100 bytes a row of the table. The values of the stored nameless rows
// are read only when the first nameless record comes, and kept as a 32-byte digest a row.
class ContactReplacer {
 public:
  // Begins the transaction on `db` and reads the names; Fault() tells why it could not. The
  // transaction holds the database alone from its start: a program reading or writing it then
  // makes the import stop before it begins (kLocked), not fail record by record, and none can
  // keep it from committing.
  explicit ContactReplacer(DatabaseConnection& db);
  ~ContactReplacer();

  bool IsBegun() const { return fault_ == DatabaseFault::kNone; }
  // Why the transaction could not begin or the names could not be read (then nothing is begun);
  // kNone once begun.
  DatabaseFault Fault() const { return fault_; }
  // Stores the record whose values are set on `insert`, under its composed name `name` (as the
  // table stores it, in ANSI bytes), in place of the rows it replaces. True when it went in.
  bool Replace(QByteArrayView name, ContactRowInsert& insert);
  // True once the database has given the transaction up (disk full or an I/O error make it roll
  // everything back): nothing is in, and the import should stop.
  bool Stopped() const;
  // Commits what went in; false, with everything rolled back, when it cannot.
  bool Commit();
  // Takes back everything of the transaction.
  void Rollback();

 private:
  class NamelessRows;
  struct RecordStatements;

  DatabaseFault Begin();
  // Reads the stored names; SQLITE_DONE when all are read.
  int ReadNames();
  bool ReplaceNameless(ContactRowInsert& insert);
  NamelessRows& NamelessRowsOf(const ContactRowInsert& insert);
  // Runs `steps` under a savepoint: all of them, or, when one fails, none.
  bool InSavepoint(const std::function<bool()>& steps);
  bool DeleteRows(const QList<qint64>& ids);
  // Runs a statement prepared once for the whole import.
  static bool RunOnce(SqlStatement& statement);
  // A lasting copy of a name's bytes, for a key.
  QByteArrayView KeepName(QByteArrayView name);

  DatabaseConnection& db_;
  // The stored names as ANSI bytes: the row of each name, and the others of names that several
  // rows bear; a name leaves once its rows are replaced. The keys' bytes lie in blocks of their
  // own that never move, which saves a name an allocation of its own.
  QHash<QByteArrayView, qint64> rowByName_;
  QMultiHash<QByteArrayView, qint64> moreRowsByName_;
  std::vector<std::unique_ptr<char[]>> nameBlocks_;
  qsizetype nameBlockUsed_ = 0;
  qsizetype nameBlockLeft_ = 0;
  // The stored nameless rows, and their values by the columns of each insert that met them.
  std::vector<qint64> namelessIds_;
  std::map<QString, std::unique_ptr<NamelessRows>> namelessRowsByColumns_;
  DatabaseFault fault_ = DatabaseFault::kNone;
  std::unique_ptr<RecordStatements> statements_;
};
