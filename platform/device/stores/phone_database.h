#pragma once

#include <QByteArray>
#include <QString>

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/sqlite_connection.h"
#include "common/sqlite_statement.h"
#include "platform/device/stores/device_types.h"

// One connection to the phone's database, "phone.db" in the phone folder: the contact store, the
// SIM phonebook and the messaging store in one SQLite file (a hardened SqliteConnection). Every
// store object holds a shared pointer to the connection of the session it came from.
//
// The connection is opened in SQLite's serialized mode, so objects made on one thread may be used
// on another. Two programs may use the phone at once: the file is in WAL mode, a locked database
// is waited for (up to kPhoneBusyTimeoutMs), and every write is one transaction, seen by every
// other connection once it commits. A commit is written to the log but not forced to the disk
// (synchronous NORMAL): a crash of the machine may lose the last commits, never consistency. The
// log is forced to the disk and copied into the database in large steps (see Open()).
//
// Statements are prepared once per connection and SQL text and kept for the next use
// (PhoneStatement borrows them), so the stores' many small calls cost no parsing.
//
// A new, empty file becomes a fresh phone (phone_schema.h). A file that is not an SQLite
// database, or a database of something else, is never changed and opens as nothing, so every
// call on it fails cleanly. Every value read from the file is checked or converted safely:
// whatever bytes it holds, a read never crashes; it yields a failure or a converted value.

// Why the phone's database is not there for the stores to use.
enum class PhoneDatabaseProblem {
  kNone,
  kNotWritable,  // the phone folder cannot be made, or it or the file cannot be written
  kNotAPhone,    // the file is not an SQLite database, or another program's database
  kDamaged,      // the file is a damaged database, or cannot be read
  kLocked,       // another program holds the file for longer than a call waits
};

class PhoneDatabase {
 public:
  // The phone's database, created as a fresh phone when missing; null when the phone folder or
  // the file cannot be opened, or the file is not a phone database, with the reason in `problem`
  // when given.
  static std::shared_ptr<PhoneDatabase> Open(PhoneDatabaseProblem* problem = nullptr);

  PhoneDatabase(const PhoneDatabase&) = delete;
  PhoneDatabase& operator=(const PhoneDatabase&) = delete;

  sqlite3* Handle() const { return connection_.Handle(); }
  // Runs statements without parameters or results; true on success.
  bool Exec(const char* sql);

  // A value of the phone's settings (SIM presence and capacity, contact store presence);
  // `fallback` when it is not set or cannot be read.
  qint64 Setting(const char* name, qint64 fallback);
  bool SetSetting(const char* name, qint64 value);

  // A mark that differs whenever the database may have changed since it was taken: by a write of
  // this connection (committed or not) or a commit of another. Nothing when it cannot be read.
  struct ChangeStamp {
    qint64 ownChanges = 0;
    qint64 otherCommits = 0;
    bool operator==(const ChangeStamp&) const = default;
  };
  std::optional<ChangeStamp> CurrentChangeStamp();

  // Which calls have faults, as CallFails last read them (phone_faults.h).
  struct KnownFaults {
    std::mutex mutex;
    std::optional<quint64> faultChangesSeen;  // this process's count of fault changes then
    std::uint64_t calls = 0;                  // bit n: PhoneCall n has faults
  };
  KnownFaults& Faults() { return knownFaults_; }

  // A prepared statement of this SQL, kept or new (invalid when it does not prepare), and back
  // again once reset. Used by PhoneStatement.
  SqliteStatement BorrowStatement(std::string_view sql);
  void ReturnStatement(std::string_view sql, SqliteStatement statement);

 private:
  explicit PhoneDatabase(const QString& path);

  struct SqlHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view sql) const {
      return std::hash<std::string_view>()(sql);
    }
  };

  SqliteConnection connection_;  // first in, last out: closed after its statements
  std::mutex statementsMutex_;
  std::unordered_map<std::string, std::vector<SqliteStatement>, SqlHash, std::equal_to<>>
      idleStatements_;
  KnownFaults knownFaults_;
};

inline constexpr int kPhoneBusyTimeoutMs = 5000;

// Why the phone's stores cannot be used: the reason the database does not open, or kDamaged when
// it opens but fails SQLite's check of its pages. kNone when the database is sound (a store may
// then still be missing from the phone: no SIM, no contact store). Reads only.
PhoneDatabaseProblem DiagnosePhoneDatabase();

// A prepared statement borrowed from the connection, reset and given back when destroyed. Text is
// bound and read as UTF-8; bytes that are not UTF-8 read as U+FFFD. A statement that does not
// prepare (a foreign or broken database) is invalid, and stepping it fails.
class PhoneStatement {
 public:
  // `sql` (one statement) is kept until the statement is destroyed: pass a literal.
  PhoneStatement(PhoneDatabase& db, const char* sql);
  ~PhoneStatement();
  PhoneStatement(const PhoneStatement&) = delete;
  PhoneStatement& operator=(const PhoneStatement&) = delete;

  bool IsValid() const { return statement_.IsValid(); }
  // Parameters count from 1.
  PhoneStatement& Bind(int index, qint64 value);
  PhoneStatement& BindText(int index, const QString& text);
  PhoneStatement& BindBlob(int index, const QByteArray& bytes);
  PhoneStatement& BindNull(int index);

  // Steps once; returns SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  // Makes the statement ready to bind and step again.
  void Reset();
  // Steps a statement without result rows; true when it completed.
  bool Run();
  // The first column of the first row; nothing when there is no row or the step fails.
  std::optional<qint64> QueryInt64();

  bool ColumnIsNull(int column) const;
  qint64 ColumnInt64(int column) const;
  QString ColumnText(int column) const;
  QByteArray ColumnBlob(int column) const;

 private:
  PhoneDatabase& db_;
  std::string_view sql_;
  SqliteStatement statement_;
  bool bindFailed_ = false;
};

// A write transaction: begun immediately (waiting for another program's write to end), rolled
// back when destroyed without Commit().
class PhoneTransaction {
 public:
  explicit PhoneTransaction(PhoneDatabase& db);
  ~PhoneTransaction();
  PhoneTransaction(const PhoneTransaction&) = delete;
  PhoneTransaction& operator=(const PhoneTransaction&) = delete;

  bool IsActive() const { return active_; }
  // True when it did not begin because another program held the database for the whole wait.
  bool IsBusy() const { return busy_; }
  bool Commit();

 private:
  PhoneDatabase& db_;
  bool active_ = false;
  bool busy_ = false;
};

// The result of a store call whose transaction did not begin: STG_E_LOCKVIOLATION when another
// program holds the database, else E_FAIL.
inline HRESULT BeginFailure(const PhoneTransaction& transaction) {
  return transaction.IsBusy() ? STG_E_LOCKVIOLATION : E_FAIL;
}

// A read transaction around several reads that belong together: they see one state of the
// database, and its locks are taken once rather than for every statement. Inside a transaction
// already open it does nothing.
class PhoneReadTransaction {
 public:
  explicit PhoneReadTransaction(PhoneDatabase& db);
  ~PhoneReadTransaction();
  PhoneReadTransaction(const PhoneReadTransaction&) = delete;
  PhoneReadTransaction& operator=(const PhoneReadTransaction&) = delete;

 private:
  PhoneDatabase& db_;
  bool active_ = false;
};
