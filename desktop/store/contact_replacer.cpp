#include "desktop/store/contact_replacer.h"

#include "desktop/store/contact_database.h"

ContactReplacer::ContactReplacer(DatabaseConnection& db)
    : db_(db),
      begun_(Begin()),
      deleteById_(db, QStringLiteral("delete from Contact_Table where ID=?")),
      savepoint_(db, QStringLiteral("savepoint ContactRecord")),
      rollback_(db, QStringLiteral("rollback to ContactRecord")),
      release_(db, QStringLiteral("release ContactRecord")) {}

// The views' order index is dropped for the import and built again once at the end: keeping it
// up to date row by row reads every replaced row's picture, which the table holds before
// ContactType. Only text names can equal the name of a record; null and blob names never do.
bool ContactReplacer::Begin() {
  if (db_.Exec(QStringLiteral("begin")) != SQLITE_OK) return false;
  db_.Exec(QLatin1String(kDropViewOrderIndex));
  SqlStatement names(db_, QStringLiteral("select ID, SIM_Name from Contact_Table where "
                                         "typeof(SIM_Name) = 'text' and SIM_Name <> ''"));
  while (names.Step() == SQLITE_ROW) {
    QByteArrayView name = KeepName(names.ColumnBytes(1));
    qint64 id = names.ColumnInt64(0);
    if (rowByName_.contains(name)) {
      moreRowsByName_.insert(name, id);
    } else {
      rowByName_.insert(name, id);
    }
  }
  return true;
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

// The name is looked up where it lies, and copied only when it is new.
bool ContactReplacer::ReplaceAnsi(QByteArrayView name, const std::function<bool()>& insert) {
  if (name.isEmpty()) return insert();
  auto stored = rowByName_.find(name);
  if (stored == rowByName_.end()) {
    if (!insert()) return false;
    rowByName_.insert(KeepName(name), sqlite3_last_insert_rowid(db_.Handle()));
    return true;
  }
  if (!RunOnce(savepoint_)) return false;
  bool ok = DeleteRows(name, *stored) && insert();
  if (!ok) RunOnce(rollback_);
  if (!RunOnce(release_) || !ok) return false;
  moreRowsByName_.remove(name);
  *stored = sqlite3_last_insert_rowid(db_.Handle());
  return true;
}

bool ContactReplacer::DeleteRows(QByteArrayView name, qint64 id) {
  QList<qint64> ids = moreRowsByName_.values(name);
  ids << id;
  for (qint64 row : ids) {
    deleteById_.BindInt64(1, row);
    if (!RunOnce(deleteById_)) return false;
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
