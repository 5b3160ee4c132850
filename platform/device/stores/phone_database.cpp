#include "platform/device/stores/phone_database.h"

#include <utility>

#include "platform/device/stores/phone_folder.h"
#include "platform/device/stores/phone_schema.h"

namespace {

// Every commit goes to the log at once; the log is forced to the disk, and copied into the
// database, only every 10,000 pages (40 MB), since a restore commits each contact and message on
// its own. The log file keeps its size while the phone is in use (writing into it costs less than
// growing it again) and goes away when the last program closes the phone.
constexpr char kConnectionPragmas[] =
    "pragma synchronous = normal; pragma wal_autocheckpoint = 10000;";

// The problem an SQLite result code stands for.
PhoneDatabaseProblem ProblemOf(int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return PhoneDatabaseProblem::kLocked;
    case SQLITE_CORRUPT:
    case SQLITE_IOERR:
      return PhoneDatabaseProblem::kDamaged;
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return PhoneDatabaseProblem::kNotWritable;
    default:
      return PhoneDatabaseProblem::kNotAPhone;
  }
}

// One read of the database: the result code.
int ReadSchema(sqlite3* db) {
  return sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
}

// Why an open database cannot be made or taken as a phone: a read of it fails, it may not be
// written, or it is another program's database.
PhoneDatabaseProblem ProblemOfOpenDatabase(sqlite3* db) {
  const int rc = ReadSchema(db);
  if (rc != SQLITE_OK) return ProblemOf(rc);
  return sqlite3_db_readonly(db, "main") == 1 ? PhoneDatabaseProblem::kNotWritable
                                              : PhoneDatabaseProblem::kNotAPhone;
}

std::shared_ptr<PhoneDatabase> Refuse(PhoneDatabaseProblem* problem, PhoneDatabaseProblem reason) {
  if (problem != nullptr) *problem = reason;
  return nullptr;
}

}  // namespace

PhoneDatabase::PhoneDatabase(const QString& path)
    : connection_(path, SqliteConnection::Threads::kAnyAtOnce) {}

std::shared_ptr<PhoneDatabase> PhoneDatabase::Open(PhoneDatabaseProblem* problem) {
  const QString path = PhoneDatabasePath();
  if (path.isEmpty()) return Refuse(problem, PhoneDatabaseProblem::kNotWritable);
  std::shared_ptr<PhoneDatabase> database(new PhoneDatabase(path));
  if (!database->connection_.IsOpen()) {
    return Refuse(problem, ProblemOf(database->connection_.ErrorCode()));
  }
  sqlite3_busy_timeout(database->Handle(), kPhoneBusyTimeoutMs);
  // A file that cannot be read, or that another program holds, is refused at its first read,
  // rather than after each read of the schema's checks has waited for the lock in its turn.
  if (const int rc = ReadSchema(database->Handle()); rc != SQLITE_OK) {
    return Refuse(problem, ProblemOf(rc));
  }
  if (!EnsurePhoneSchema(*database) || !database->Exec(kConnectionPragmas)) {
    return Refuse(problem, ProblemOfOpenDatabase(database->Handle()));
  }
  if (problem != nullptr) *problem = PhoneDatabaseProblem::kNone;
  return database;
}

PhoneDatabaseProblem DiagnosePhoneDatabase() {
  PhoneDatabaseProblem problem = PhoneDatabaseProblem::kNone;
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open(&problem);
  if (!db) return problem;
  PhoneStatement check(*db, "pragma quick_check(1)");
  const int rc = check.Step();
  if (rc != SQLITE_ROW) return ProblemOf(rc);
  return check.ColumnText(0) == QLatin1String("ok") ? PhoneDatabaseProblem::kNone
                                                    : PhoneDatabaseProblem::kDamaged;
}

SqliteStatement PhoneDatabase::BorrowStatement(std::string_view sql) {
  {
    std::lock_guard<std::mutex> lock(statementsMutex_);
    const auto idle = idleStatements_.find(sql);
    if (idle != idleStatements_.end() && !idle->second.empty()) {
      SqliteStatement statement = std::move(idle->second.back());
      idle->second.pop_back();
      return statement;
    }
  }
  return SqliteStatement(connection_, QByteArrayView(sql.data(), sql.size()),
                         SqliteStatement::Use::kKept);
}

void PhoneDatabase::ReturnStatement(std::string_view sql, SqliteStatement statement) {
  statement.Reset();
  statement.ClearBindings();
  std::lock_guard<std::mutex> lock(statementsMutex_);
  auto idle = idleStatements_.find(sql);
  if (idle == idleStatements_.end()) {
    idle = idleStatements_.emplace(std::string(sql), std::vector<SqliteStatement>()).first;
  }
  idle->second.push_back(std::move(statement));
}

bool PhoneDatabase::Exec(const char* sql) { return connection_.Exec(sql) == SQLITE_OK; }

qint64 PhoneDatabase::Setting(const char* name, qint64 fallback) {
  PhoneStatement statement(*this, "select value from phone_settings where name = ?");
  return statement.BindText(1, QString::fromLatin1(name)).QueryInt64().value_or(fallback);
}

bool PhoneDatabase::SetSetting(const char* name, qint64 value) {
  PhoneStatement statement(*this,
                           "insert or replace into phone_settings (name, value) values (?, ?)");
  return statement.BindText(1, QString::fromLatin1(name)).Bind(2, value).Run();
}

std::optional<PhoneDatabase::ChangeStamp> PhoneDatabase::CurrentChangeStamp() {
  PhoneStatement version(*this, "pragma data_version");
  std::optional<qint64> otherCommits = version.QueryInt64();
  if (!otherCommits) return std::nullopt;
  return ChangeStamp{sqlite3_total_changes64(Handle()), *otherCommits};
}

PhoneStatement::PhoneStatement(PhoneDatabase& db, const char* sql)
    : db_(db), sql_(sql), statement_(db.BorrowStatement(sql_)) {}

PhoneStatement::~PhoneStatement() {
  if (statement_.IsValid()) db_.ReturnStatement(sql_, std::move(statement_));
}

PhoneStatement& PhoneStatement::Bind(int index, qint64 value) {
  bindFailed_ |= !statement_.BindInt64(index, value);
  return *this;
}

PhoneStatement& PhoneStatement::BindText(int index, const QString& text) {
  bindFailed_ |= !statement_.BindTextBytes(index, text.toUtf8());
  return *this;
}

PhoneStatement& PhoneStatement::BindBlob(int index, const QByteArray& bytes) {
  bindFailed_ |= !statement_.BindBlob(index, bytes);
  return *this;
}

PhoneStatement& PhoneStatement::BindNull(int index) {
  bindFailed_ |= !statement_.BindNull(index);
  return *this;
}

int PhoneStatement::Step() {
  return statement_.IsValid() && !bindFailed_ ? statement_.Step() : SQLITE_MISUSE;
}

void PhoneStatement::Reset() {
  statement_.Reset();
  bindFailed_ = false;
}

bool PhoneStatement::Run() { return Step() == SQLITE_DONE; }

std::optional<qint64> PhoneStatement::QueryInt64() {
  if (Step() != SQLITE_ROW) return std::nullopt;
  return ColumnInt64(0);
}

bool PhoneStatement::ColumnIsNull(int column) const {
  return statement_.ColumnType(column) == SQLITE_NULL;
}

qint64 PhoneStatement::ColumnInt64(int column) const { return statement_.ColumnInt64(column); }

QString PhoneStatement::ColumnText(int column) const {
  return QString::fromUtf8(statement_.ColumnView(column));
}

QByteArray PhoneStatement::ColumnBlob(int column) const { return statement_.ColumnBytes(column); }

PhoneTransaction::PhoneTransaction(PhoneDatabase& db) : db_(db) {
  active_ = db_.Exec("begin immediate");
  const int error = sqlite3_errcode(db_.Handle()) & 0xFF;
  busy_ = !active_ && (error == SQLITE_BUSY || error == SQLITE_LOCKED);
}

PhoneTransaction::~PhoneTransaction() {
  if (active_) db_.Exec("rollback");
}

PhoneReadTransaction::PhoneReadTransaction(PhoneDatabase& db) : db_(db) {
  active_ = sqlite3_get_autocommit(db_.Handle()) != 0 && PhoneStatement(db_, "begin").Run();
}

PhoneReadTransaction::~PhoneReadTransaction() {
  if (active_) PhoneStatement(db_, "commit").Run();
}

bool PhoneTransaction::Commit() {
  if (!active_ || !db_.Exec("commit")) return false;
  active_ = false;
  return true;
}
