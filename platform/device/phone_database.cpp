#include "platform/device/phone_database.h"

#include <QFile>

#include "platform/device/phone_folder.h"
#include "platform/device/phone_schema.h"

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

// Why an open database cannot be made or taken as a phone: a read of it fails, it may not be
// written, or it is another program's database.
PhoneDatabaseProblem ProblemOfOpenDatabase(sqlite3* db) {
  const int rc = sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) return ProblemOf(rc);
  return sqlite3_db_readonly(db, "main") == 1 ? PhoneDatabaseProblem::kNotWritable
                                              : PhoneDatabaseProblem::kNotAPhone;
}

std::shared_ptr<PhoneDatabase> Refuse(PhoneDatabaseProblem* problem, PhoneDatabaseProblem reason) {
  if (problem != nullptr) *problem = reason;
  return nullptr;
}

}  // namespace

std::shared_ptr<PhoneDatabase> PhoneDatabase::Open(PhoneDatabaseProblem* problem) {
  const QString path = PhoneDatabasePath();
  if (path.isEmpty()) return Refuse(problem, PhoneDatabaseProblem::kNotWritable);
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);  // SQLite hands out a handle even when the open fails
    return Refuse(problem, ProblemOf(rc));
  }
  std::shared_ptr<PhoneDatabase> database(new PhoneDatabase(db));
  sqlite3_busy_timeout(db, kPhoneBusyTimeoutMs);
  // The file comes from outside the program: its schema may run nothing but plain SQL, and no
  // statement may write to it behind SQLite's back.
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  if (!EnsurePhoneSchema(*database) || !database->Exec(kConnectionPragmas)) {
    return Refuse(problem, ProblemOfOpenDatabase(db));
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

PhoneDatabase::~PhoneDatabase() {
  for (auto& [sql, statements] : idleStatements_) {
    for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
  }
  sqlite3_close(db_);
}

sqlite3_stmt* PhoneDatabase::BorrowStatement(std::string_view sql) {
  {
    std::lock_guard<std::mutex> lock(statementsMutex_);
    const auto idle = idleStatements_.find(sql);
    if (idle != idleStatements_.end() && !idle->second.empty()) {
      sqlite3_stmt* statement = idle->second.back();
      idle->second.pop_back();
      return statement;
    }
  }
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                         &statement, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    return nullptr;
  }
  return statement;
}

void PhoneDatabase::ReturnStatement(std::string_view sql, sqlite3_stmt* statement) {
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  std::lock_guard<std::mutex> lock(statementsMutex_);
  const auto idle = idleStatements_.find(sql);
  if (idle != idleStatements_.end()) {
    idle->second.push_back(statement);
  } else {
    idleStatements_.emplace(std::string(sql), std::vector<sqlite3_stmt*>{statement});
  }
}

bool PhoneDatabase::Exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

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
  return ChangeStamp{sqlite3_total_changes64(db_), *otherCommits};
}

PhoneStatement::PhoneStatement(PhoneDatabase& db, const char* sql)
    : db_(db), sql_(sql), stmt_(db.BorrowStatement(sql_)) {}

PhoneStatement::~PhoneStatement() {
  if (stmt_ != nullptr) db_.ReturnStatement(sql_, stmt_);
}

PhoneStatement& PhoneStatement::Bind(int index, qint64 value) {
  bindFailed_ |= stmt_ == nullptr || sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK;
  return *this;
}

PhoneStatement& PhoneStatement::BindText(int index, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  bindFailed_ |= stmt_ == nullptr ||
                 sqlite3_bind_text(stmt_, index, bytes.constData(), static_cast<int>(bytes.size()),
                                   SQLITE_TRANSIENT) != SQLITE_OK;
  return *this;
}

PhoneStatement& PhoneStatement::BindBlob(int index, const QByteArray& bytes) {
  bindFailed_ |= stmt_ == nullptr ||
                 sqlite3_bind_blob(stmt_, index, bytes.constData(), static_cast<int>(bytes.size()),
                                   SQLITE_TRANSIENT) != SQLITE_OK;
  return *this;
}

PhoneStatement& PhoneStatement::BindNull(int index) {
  bindFailed_ |= stmt_ == nullptr || sqlite3_bind_null(stmt_, index) != SQLITE_OK;
  return *this;
}

int PhoneStatement::Step() {
  return stmt_ != nullptr && !bindFailed_ ? sqlite3_step(stmt_) : SQLITE_MISUSE;
}

void PhoneStatement::Reset() {
  sqlite3_reset(stmt_);
  bindFailed_ = false;
}

bool PhoneStatement::Run() { return Step() == SQLITE_DONE; }

std::optional<qint64> PhoneStatement::QueryInt64() {
  if (Step() != SQLITE_ROW) return std::nullopt;
  return ColumnInt64(0);
}

bool PhoneStatement::ColumnIsNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

qint64 PhoneStatement::ColumnInt64(int column) const { return sqlite3_column_int64(stmt_, column); }

QString PhoneStatement::ColumnText(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  const int size = sqlite3_column_bytes(stmt_, column);
  return text != nullptr ? QString::fromUtf8(text, size) : QString();
}

QByteArray PhoneStatement::ColumnBlob(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  const int size = sqlite3_column_bytes(stmt_, column);
  return data != nullptr ? QByteArray(static_cast<const char*>(data), size) : QByteArray();
}

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
