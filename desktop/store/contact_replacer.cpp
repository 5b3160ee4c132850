#include "desktop/store/contact_replacer.h"

#include <QCryptographicHash>

#include "desktop/store/contact_database.h"

// The stored nameless rows by the values they hold in the columns of one insert. A row's values
// are read from the table both for the stored rows and for the row a record has just inserted,
// so the two are compared as the table holds them, whatever the columns' types make of a value.
class ContactReplacer::NamelessRows {
 public:
  NamelessRows(DatabaseConnection& db, const QString& columns, const std::vector<qint64>& ids)
      : valuesOfRow_(db, QStringLiteral("select %1 from Contact_Table where ID=?").arg(columns)) {
    for (qint64 id : ids) {
      QByteArray values = ValuesOf(id);
      if (!values.isEmpty()) idsByValues_[values] << id;
    }
  }

  bool IsEmpty() const { return idsByValues_.isEmpty(); }

  // A digest of the values of the row `id`, each with its type and length; empty when there is
  // no such row.
  QByteArray ValuesOf(qint64 id);
  // The stored rows that hold the values of that digest.
  QList<qint64> RowsWithValues(const QByteArray& values) const {
    return idsByValues_.value(values);
  }
  // Those rows are replaced: no other record replaces them.
  void Forget(const QByteArray& values) { idsByValues_.remove(values); }

 private:
  SqlStatement valuesOfRow_;
  QHash<QByteArray, QList<qint64>> idsByValues_;
};

QByteArray ContactReplacer::NamelessRows::ValuesOf(qint64 id) {
  valuesOfRow_.BindInt64(1, id);
  QByteArray digest;
  if (valuesOfRow_.Step() == SQLITE_ROW) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int column = 0; column < valuesOfRow_.ColumnCount(); ++column) {
      int type = valuesOfRow_.ColumnType(column);  // before the bytes, which may convert it
      QByteArray bytes = valuesOfRow_.ColumnBytes(column);
      qint64 size = bytes.size();
      hash.addData(QByteArrayView(reinterpret_cast<const char*>(&type), sizeof type));
      hash.addData(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
      hash.addData(bytes);
    }
    digest = hash.result();
  }
  valuesOfRow_.Reset();
  return digest;
}

// The statements of a record, compiled once for the whole import.
struct ContactReplacer::RecordStatements {
  explicit RecordStatements(DatabaseConnection& db)
      : deleteById(db, QStringLiteral("delete from Contact_Table where ID=?")),
        savepoint(db, QStringLiteral("savepoint ContactRecord")),
        rollback(db, QStringLiteral("rollback to ContactRecord")),
        release(db, QStringLiteral("release ContactRecord")) {}

  SqlStatement deleteById;
  SqlStatement savepoint;
  SqlStatement rollback;
  SqlStatement release;
};

// The statements are compiled once the transaction holds the database: before, another program
// could keep them from reading its schema.
ContactReplacer::ContactReplacer(DatabaseConnection& db) : db_(db) {
  fault_ = Begin();
  statements_ = std::make_unique<RecordStatements>(db_);
}

ContactReplacer::~ContactReplacer() = default;

// The views' order index is dropped for the import and built again once at the end: keeping it
// up to date row by row reads every replaced row's picture, which the table holds before
// ContactType. Only text names can equal the name of a record; null and blob names never do.
//
// An import over stored contacts keeps a page cache of 64 MiB instead of SQLite's 2 MiB: a
// replaced row's pages go into the rollback journal, and each time the cache is full the journal
// is synced to disk before pages are written to the database. Importing 100,000 contacts over
// themselves (47 MB of pages replaced) synced it 60 times and took 1.7 s; with the larger cache 12
// times and 1.3 s, for 48 MB more memory at most. Into an empty table nothing is journaled, and
// the larger cache would only hold pages longer.
DatabaseFault ContactReplacer::Begin() {
  if (db_.Fault() != DatabaseFault::kNone) return db_.Fault();
  if (int rc = db_.Exec(QStringLiteral("begin exclusive")); rc != SQLITE_OK) {
    return FaultOfResult(rc);
  }
  db_.Exec(QLatin1String(kDropViewOrderIndex));
  if (int rc = ReadNames(); rc != SQLITE_DONE) {
    // Without the stored names, each record would be added beside the rows it replaces.
    Rollback();
    return FaultOfResult(rc);
  }
  if (!rowByName_.isEmpty() || !namelessIds_.empty()) {
    db_.Exec(QStringLiteral("pragma cache_size = -65536"));  // in KiB
  }
  return DatabaseFault::kNone;
}

int ContactReplacer::ReadNames() {
  SqlStatement names(
      db_,
      QStringLiteral("select ID, SIM_Name from Contact_Table where typeof(SIM_Name) = 'text'"));
  int rc;
  while ((rc = names.Step()) == SQLITE_ROW) {
    qint64 id = names.ColumnInt64(0);
    QByteArray bytes = names.ColumnBytes(1);
    if (bytes.isEmpty()) {
      namelessIds_.push_back(id);
      continue;
    }
    QByteArrayView name = KeepName(bytes);
    if (rowByName_.contains(name)) {
      moreRowsByName_.insert(name, id);
    } else {
      rowByName_.insert(name, id);
    }
  }
  return rc;
}

QByteArrayView ContactReplacer::KeepName(QByteArrayView name) {
  constexpr qsizetype kBlockSize = 64 * 1024;
  if (name.size() > nameBlockLeft_) {
    nameBlockLeft_ = std::max(kBlockSize, name.size());
    nameBlocks_.push_back(std::make_unique<char[]>(nameBlockLeft_));
    nameBlockUsed_ = 0;
  }
  char* kept = nameBlocks_.back().get() + nameBlockUsed_;
  std::copy(name.begin(), name.end(), kept);
  nameBlockUsed_ += name.size();
  nameBlockLeft_ -= name.size();
  return QByteArrayView(kept, name.size());
}

// The name is looked up where it lies. Once its stored rows are replaced it leaves the index, so
// the records of the name that follow are only inserted.
bool ContactReplacer::Replace(QByteArrayView name, ContactRowInsert& insert) {
  if (name.isEmpty()) return ReplaceNameless(insert);
  auto stored = rowByName_.find(name);
  if (stored == rowByName_.end()) return insert.Insert();
  QList<qint64> ids = moreRowsByName_.values(name);
  ids << *stored;
  if (!InSavepoint([&] { return DeleteRows(ids) && insert.Insert(); })) return false;
  moreRowsByName_.remove(name);
  rowByName_.erase(stored);
  return true;
}

bool ContactReplacer::ReplaceNameless(ContactRowInsert& insert) {
  if (namelessIds_.empty()) return insert.Insert();
  NamelessRows& nameless = NamelessRowsOf(insert);
  if (nameless.IsEmpty()) return insert.Insert();
  QByteArray values;
  bool in = InSavepoint([&] {
    if (!insert.Insert()) return false;
    values = nameless.ValuesOf(sqlite3_last_insert_rowid(db_.Handle()));
    return DeleteRows(nameless.RowsWithValues(values));
  });
  if (in) nameless.Forget(values);
  return in;
}

ContactReplacer::NamelessRows& ContactReplacer::NamelessRowsOf(const ContactRowInsert& insert) {
  std::unique_ptr<NamelessRows>& rows = namelessRowsByColumns_[insert.ColumnList()];
  if (rows == nullptr) {
    rows = std::make_unique<NamelessRows>(db_, insert.ColumnList(), namelessIds_);
  }
  return *rows;
}

bool ContactReplacer::InSavepoint(const std::function<bool()>& steps) {
  if (!RunOnce(statements_->savepoint)) return false;
  bool done = steps();
  if (!done) RunOnce(statements_->rollback);
  return RunOnce(statements_->release) && done;
}

bool ContactReplacer::DeleteRows(const QList<qint64>& ids) {
  for (qint64 row : ids) {
    statements_->deleteById.BindInt64(1, row);
    if (!RunOnce(statements_->deleteById)) return false;
  }
  return true;
}

bool ContactReplacer::Stopped() const { return sqlite3_get_autocommit(db_.Handle()) != 0; }

bool ContactReplacer::Commit() {
  db_.Exec(QLatin1String(kCreateViewOrderIndex));
  if (db_.Exec(QStringLiteral("commit")) == SQLITE_OK) return true;
  Rollback();
  return false;
}

void ContactReplacer::Rollback() { db_.Exec(QStringLiteral("rollback")); }

bool ContactReplacer::RunOnce(SqlStatement& statement) {
  bool done = statement.Step() == SQLITE_DONE;
  statement.Reset();
  return done;
}
