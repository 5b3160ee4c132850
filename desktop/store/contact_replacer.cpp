#include "desktop/store/contact_replacer.h"

#include "desktop/store/contact_database.h"

namespace {

// Finding the rows to replace by name is a table scan without an index; the import builds one
// for its own transaction and drops it again. The views' order index works the other way round:
// keeping it up to date row by row reads every replaced row's picture, so the import drops it
// and builds it again once, at the end. Indexes only speed the import; it works without them.
constexpr char kCreateNameIndex[] = "create index Import_SIM_Name_Index on Contact_Table(SIM_Name)";
constexpr char kDropNameIndex[] = "drop index if exists Import_SIM_Name_Index";

bool BeginWithIndexes(DatabaseConnection& db) {
  if (db.Exec(QStringLiteral("begin")) != SQLITE_OK) return false;
  db.Exec(QLatin1String(kCreateNameIndex));
  db.Exec(QLatin1String(kDropViewOrderIndex));
  return true;
}

}  // namespace

// The name is bound rather than quoted into the text: each statement is compiled once for the
// whole import instead of once a record.
ContactReplacer::ContactReplacer(DatabaseConnection& db)
    : db_(db),
      begun_(BeginWithIndexes(db)),
      countByName_(db, QStringLiteral("select count(*) from Contact_Table where SIM_Name=?")),
      deleteByName_(db, QStringLiteral("delete from Contact_Table where SIM_Name=?")),
      savepoint_(db, QStringLiteral("savepoint ContactRecord")),
      rollback_(db, QStringLiteral("rollback to ContactRecord")),
      release_(db, QStringLiteral("release ContactRecord")) {}

bool ContactReplacer::Replace(const QString& name, const std::function<bool()>& insert) {
  if (!HasRowsNamed(name)) return insert();
  if (!RunOnce(savepoint_)) return false;
  deleteByName_.BindText(1, name);
  bool ok = RunOnce(deleteByName_) && insert();
  if (!ok) RunOnce(rollback_);
  return RunOnce(release_) && ok;
}

bool ContactReplacer::Stopped() const { return sqlite3_get_autocommit(db_.Handle()) != 0; }

bool ContactReplacer::Commit() {
  db_.Exec(QLatin1String(kDropNameIndex));
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

// True also when the rows cannot be counted: the delete then runs and decides.
bool ContactReplacer::HasRowsNamed(const QString& name) {
  if (name.isEmpty()) return false;
  countByName_.BindText(1, name);
  bool found = countByName_.Step() != SQLITE_ROW || countByName_.ColumnInt64(0) > 0;
  countByName_.Reset();
  return found;
}
