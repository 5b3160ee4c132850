#include "bench/insert_floor.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <cstring>

#include "bench/contact_generator.h"
#include "desktop/store/contact_fields.h"
#include "desktop/store/database_connection.h"

namespace {

// Rows kept compact, so that holding them takes little more memory than their bytes: each value
// is a kind byte, then for text and blobs a 32-bit length and the bytes, for integers 8 bytes.
class FloorRows {
 public:
  enum Kind : char { kNull = 'n', kText = 't', kBlob = 'b', kInteger = 'i' };

  void AddBytes(Kind kind, QByteArrayView bytes) {
    auto size = static_cast<std::int32_t>(bytes.size());
    data_.append(kind).append(reinterpret_cast<const char*>(&size), sizeof size).append(bytes);
  }
  void AddInteger(qint64 value) {
    data_.append(kInteger).append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  void AddNull() { data_.append(kNull); }

  // Binds the values of the row at `*offset` to parameters 1 to kContactColumnCount and moves
  // the offset past it.
  void BindRow(SqlStatement& insert, qsizetype* offset) const {
    const char* at = data_.constData() + *offset;
    for (int parameter = 1; parameter <= kContactColumnCount; ++parameter) {
      char kind = *at++;
      if (kind == kInteger) {
        qint64 value;
        std::memcpy(&value, at, sizeof value);
        insert.BindInt64(parameter, value);
        at += sizeof value;
      } else if (kind != kNull) {
        std::int32_t size;
        std::memcpy(&size, at, sizeof size);
        at += sizeof size;
        QByteArrayView bytes(at, size);
        kind == kText ? insert.BindTextBytes(parameter, bytes, SqlStatement::Bytes::kKept)
                      : insert.BindBlob(parameter, bytes, SqlStatement::Bytes::kKept);
        at += size;
      }
    }
    *offset = at - data_.constData();
  }

  qsizetype Size() const { return data_.size(); }

 private:
  QByteArray data_;
};

QByteArray ComposedName(const PhoneContactBody& body) {
  QByteArray name = body.items[1];
  if (!body.items[2].isEmpty()) name += ' ' + body.items[2];
  if (!body.items[3].isEmpty()) name = body.items[3] + ',' + name;
  return name;
}

QByteArray DateText(const BackupDate& date) {
  return date.IsNone() ? QByteArray() : BackupDateText(date).toLatin1();
}

// The values of a phone contact in table order, as the import stores them.
void AddPhoneRow(const PhoneContactBody& body, bool withPictures, FloorRows* rows) {
  std::array<int, kContactColumnCount> itemOfColumn;
  itemOfColumn.fill(-1);
  const auto& columns = BackupItemColumns();
  for (int item = 0; item < kBackupItemCount; ++item) itemOfColumn[columns[item]] = item;
  bool picture = withPictures && !body.picture.isEmpty();
  for (int column = 0; column < kContactColumnCount; ++column) {
    int item = itemOfColumn[column];
    if (column == kColumnId) {
      rows->AddNull();
    } else if (column == kColumnContactType) {
      rows->AddInteger(kPhoneContact);
    } else if (column == kColumnHasPic) {
      rows->AddInteger(picture ? 1 : 0);
    } else if (column == kColumnSimName) {
      rows->AddBytes(FloorRows::kText, ComposedName(body));
    } else if (column == kColumnPicture) {
      rows->AddBytes(picture ? FloorRows::kBlob : FloorRows::kText,
                     picture ? body.picture : QByteArray());
    } else if (item == kBackupItemBirthday || item == kBackupItemAnniversary) {
      rows->AddBytes(FloorRows::kText,
                     DateText(item == kBackupItemBirthday ? body.birthday : body.anniversary));
    } else {
      rows->AddBytes(FloorRows::kText, body.items[item]);
    }
  }
}

void AddSimRow(const SimContactBody& sim, FloorRows* rows) {
  for (int column = 0; column < kContactColumnCount; ++column) {
    if (column == kColumnContactType) {
      rows->AddInteger(kSimContact);
    } else if (column == kColumnFirstName || column == kColumnFileAs || column == kColumnSimName) {
      rows->AddBytes(FloorRows::kText, sim.name);
    } else if (column == kColumnMobilePhone) {
      rows->AddBytes(FloorRows::kText, sim.number);
    } else {
      rows->AddNull();
    }
  }
}

QString FloorTableStatement() {
  QStringList columns;
  for (int i = 0; i < kContactColumnCount; ++i) columns << QStringLiteral("c%1").arg(i);
  return QStringLiteral("create table Floor(%1)").arg(columns.join(QLatin1Char(',')));
}

QString FloorInsertStatement() {
  QStringList parameters;
  for (int i = 0; i < kContactColumnCount; ++i) parameters << QStringLiteral("?");
  return QStringLiteral("insert into Floor values(%1)").arg(parameters.join(QLatin1Char(',')));
}

}  // namespace

std::optional<double> TimeInsertFloor(const QString& folder, int total, bool withPictures) {
  FloorRows rows;
  GenerateContacts(total, [&](const PhoneContactBody* phone, const SimContactBody* sim) {
    phone != nullptr ? AddPhoneRow(*phone, withPictures, &rows) : AddSimRow(*sim, &rows);
    return true;
  });
  QDir().mkpath(folder);
  QTemporaryDir temporary(QDir(folder).filePath(QStringLiteral("floor-XXXXXX")));
  DatabaseConnection db(temporary.filePath(QStringLiteral("floor.db")),
                        DatabaseConnection::Opening::kAnyFile);
  if (db.Exec(FloorTableStatement()) != SQLITE_OK) return std::nullopt;

  auto start = std::chrono::steady_clock::now();
  if (db.Exec(QStringLiteral("begin")) != SQLITE_OK) return std::nullopt;
  SqlStatement insert(db, FloorInsertStatement());
  qsizetype offset = 0;
  for (int i = 0; i < total; ++i) {
    rows.BindRow(insert, &offset);
    if (insert.Step() != SQLITE_DONE) return std::nullopt;
    insert.Reset();
  }
  if (db.Exec(QStringLiteral("commit")) != SQLITE_OK) return std::nullopt;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
