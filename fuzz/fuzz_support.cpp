#include "fuzz/fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "desktop/store/contact_database.h"
#include "desktop/store/database_connection.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/stores/phone_setup.h"
#include "platform/windows/message_service.h"

namespace {

// SQLite's lookaside memory keeps its small allocations out of AddressSanitizer's sight, and under
// the sanitizer the block it takes for each connection costs more than the rest of a run.
const bool kLookasideOff = [] {
  sqlite3_config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
  return true;
}();

}  // namespace

FuzzFolder::FuzzFolder() {
  if (!dir_.isValid() || !QDir::setCurrent(dir_.path())) std::abort();
}

QString FuzzFolder::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = Path(name);
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
  return path;
}

QString FuzzFolder::FreshCopy(const QString& name, const QString& templatePath,
                              const QString& fileName) const {
  // The template's bytes are read once and written as the copy: QFile::copy goes through a
  // temporary file and a rename, and a read of the template each time takes a large buffer.
  static std::map<QString, QByteArray> templates;
  auto [bytes, added] = templates.try_emplace(templatePath);
  if (added) {
    QFile source(templatePath);
    if (!source.open(QIODevice::ReadOnly)) std::abort();
    bytes->second = source.readAll();
  }
  QDir(Path(name)).removeRecursively();
  return Write(name + QLatin1Char('/') + fileName, bytes->second);
}

namespace {

constexpr qsizetype kHugeTextBudget = 256 * 1024;

// The input bytes, read from the front; 0 once they are used up.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), end_(data + size) {}
  bool AtEnd() const { return data_ == end_; }
  std::uint8_t Byte() { return AtEnd() ? 0 : *data_++; }
  std::size_t Bytes2() {
    std::size_t high = Byte();
    return high << 8 | Byte();
  }
  std::uint64_t Bytes8() {
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value = value << 8 | Byte();
    return value;
  }
  // Up to `length` bytes of the budget for huge texts, as many as are left of it.
  qsizetype TakeHugeBudget(qsizetype length) {
    length = std::min(length, hugeBudget_);
    hugeBudget_ -= length;
    return length;
  }
  // Up to `count` bytes, fewer at the end.
  QByteArray Take(std::size_t count) {
    count = std::min<std::size_t>(count, end_ - data_);
    QByteArray bytes(reinterpret_cast<const char*>(data_), static_cast<qsizetype>(count));
    data_ += count;
    return bytes;
  }

 private:
  const std::uint8_t* data_;
  const std::uint8_t* end_;
  qsizetype hugeBudget_ = kHugeTextBudget;
};

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Statement Prepare(sqlite3* db, const QByteArray& sql) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
  return Statement(statement, &sqlite3_finalize);
}

// The text of an insert of a whole row into each table of the database, in name order.
std::vector<QByteArray> FindRowInsertTexts(sqlite3* db) {
  std::vector<QByteArray> tables;
  Statement names = Prepare(db,
                            "select name from sqlite_master where type = 'table' and name not "
                            "like 'sqlite%' order by name");
  while (names && sqlite3_step(names.get()) == SQLITE_ROW) {
    tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(names.get(), 0)));
  }
  std::vector<QByteArray> inserts;
  for (const QByteArray& table : tables) {
    Statement columns = Prepare(db, "select * from \"" + table + "\"");
    int count = columns ? sqlite3_column_count(columns.get()) : 0;
    QByteArray sql = "insert or replace into \"" + table + "\" values(?";
    for (int column = 1; column < count; ++column) sql += ",?";
    inserts.push_back(sql + ")");
  }
  return inserts;
}

// The inserts of FindRowInsertTexts. Every input starts from a fresh copy of the same database,
// so the tables at a path are found once.
std::vector<Statement> RowInserts(sqlite3* db, const QString& path) {
  static std::map<QString, std::vector<QByteArray>> known;
  auto [texts, added] = known.try_emplace(path);
  if (added) texts->second = FindRowInsertTexts(db);
  std::vector<Statement> inserts;
  for (const QByteArray& sql : texts->second) {
    if (Statement insert = Prepare(db, sql)) inserts.push_back(std::move(insert));
  }
  return inserts;
}

// A text of 64 to 128 KiB, past every 16-bit length, one character repeated: an ASCII one or a
// Chinese one, at most kHugeTextBudget bytes of them per input, so that each run stays short (the
// tests take values to the longer limits). Not bytes that are no character: under
// AddressSanitizer alone, the text layer takes time that grows with the square of the length of a
// run of them (each is checked with all that follows it), so they keep to the 64 KiB of the other
// kinds.
QByteArray HugeText(ByteReader& input) {
  qsizetype length = qsizetype{64 * 1024} + input.Byte() * qsizetype{256};
  std::uint8_t character = input.Byte();
  length = input.TakeHugeBudget(length);
  QByteArray unit = character < 0x80 ? QByteArray(1, static_cast<char>(character)) : "\xd5\xc5";
  return unit.repeated(length / unit.size());
}

void BindHostileValue(sqlite3_stmt* insert, int parameter, ByteReader& input) {
  auto bindText = [&](const QByteArray& text) {
    sqlite3_bind_text64(insert, parameter, text.constData(), text.size(), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
  };
  switch (input.Byte() % 8) {
    case 0:
      sqlite3_bind_null(insert, parameter);
      break;
    case 1:
      sqlite3_bind_int(insert, parameter, static_cast<std::int8_t>(input.Byte()));
      break;
    case 2:
      sqlite3_bind_int64(insert, parameter, static_cast<sqlite3_int64>(input.Bytes8()));
      break;
    case 3:
      bindText(input.Take(input.Byte()));
      break;
    case 4: {
      QByteArray blob = input.Take(input.Bytes2());
      sqlite3_bind_blob64(insert, parameter, blob.constData(), blob.size(), SQLITE_TRANSIENT);
      break;
    }
    case 5:
      bindText(input.Take(input.Bytes2()));
      break;
    case 6: {
      // A huge text costs a run many times what any other value does: one length byte in 256
      // asks for one.
      const std::uint8_t length = input.Byte();
      bindText(length == 0xFF ? HugeText(input) : input.Take(length));
      break;
    }
    default: {
      std::uint64_t bits = input.Bytes8();
      double value;
      std::memcpy(&value, &bits, sizeof value);
      sqlite3_bind_double(insert, parameter, value);
    }
  }
}

}  // namespace

void InsertHostileRows(const QString& path, const std::uint8_t* data, std::size_t size) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
      SQLITE_OK) {
    std::vector<Statement> inserts = RowInserts(db, path);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    ByteReader input(data, size);
    while (!inserts.empty() && !input.AtEnd()) {
      sqlite3_stmt* insert = inserts[input.Byte() % inserts.size()].get();
      for (int parameter = 1; parameter <= sqlite3_bind_parameter_count(insert); ++parameter) {
        BindHostileValue(insert, parameter, input);
      }
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
}

namespace {

QString EmptyContactDatabase(const FuzzFolder& folder) {
  static const QString path = [&] {
    const QString database = folder.Path(QStringLiteral("empty.cdt"));
    ViewState state;
    if (!InitContactDatabase(state, database)) std::abort();
    return database;
  }();
  return path;
}

QString FreshPhoneDatabase(const FuzzFolder& folder) {
  static const QString path = [&] {
    qputenv(kPhoneRootVariable, folder.Path(QStringLiteral("fresh phone")).toLocal8Bit());
    if (!PhoneSetup().IsOpen()) std::abort();
    return PhoneDatabasePath();
  }();
  return path;
}

}  // namespace

QString FreshContactDatabase(const FuzzFolder& folder) {
  return folder.FreshCopy(QStringLiteral("desktop"), EmptyContactDatabase(folder),
                          QLatin1String(kContactDatabaseFile));
}

void UseFreshPhone(const FuzzFolder& folder) {
  folder.FreshCopy(QStringLiteral("phone"), FreshPhoneDatabase(folder),
                   QLatin1String(kPhoneDatabaseFile));
  qputenv(kPhoneRootVariable, folder.Path(QStringLiteral("phone")).toLocal8Bit());
  MessageService silent;
  silent.messageBox = [](const QString&, const QString&, unsigned) { return IDOK; };
  InstallMessageService(silent);
}
