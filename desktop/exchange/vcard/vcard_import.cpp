#include "desktop/exchange/vcard/vcard_import.h"

#include <QFile>
#include <QFileInfo>

#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/database_connection.h"
#include "desktop/store/sql_text.h"
#include "platform/windows/message_service.h"

namespace {

constexpr char kResultCaption[] = "Import vCard File Result";
constexpr char kSummary[] =
    "Import vCard file finish! %d Record is Successed and %d Record is Failded!";
constexpr char kTooLarge[] = "The vCard file is too large to import (more than %1 MB)!";
constexpr char kUnreadable[] = "Can't read the vCard file!";

// ---- Storing one card ----------------------------------------------------------------------

// "insert into Contact_Table(ContactType ,SIM_Name,First_Name,...,Notes) values(1,"
QString InsertHead() {
  QString head = QStringLiteral("insert into Contact_Table(ContactType ,SIM_Name");
  for (const ContactField& field : kContactFields) {
    head += QLatin1Char(',') + QLatin1String(field.column);
  }
  return head + QStringLiteral(") values(1,");
}

// Replaces the stored rows of the card's composed name with the card, as a phone contact; true
// when it went in. The one place that turns a card into SQL.
bool StoreCard(const ContactRecord& card, DatabaseConnection& db, ContactReplacer& replacer) {
  static const QString head = InsertHead();
  QString name = ComposedContactName(card.firstName, card.middleName, card.lastName);
  QString insert = head;
  insert += SqlQuote(name);
  for (const ContactField& field : kContactFields) {
    insert += QLatin1Char(',');  // one piece at a time: appending a sum would size it exactly
    insert += SqlQuote(card.Field(field.number));
  }
  insert += QLatin1Char(')');
  return replacer.Replace(name, [&] { return db.Exec(insert) == SQLITE_OK; });
}

// ---- The run -------------------------------------------------------------------------------

struct CardCounts {
  int stored = 0;
  int failed = 0;

  // Everything stored so far was taken back.
  void LoseStored() {
    failed += stored;
    stored = 0;
  }
};

// Stores every card under one transaction. A database that cannot be opened is said once; its
// cards all count as failed.
CardCounts StoreCards(const QByteArray& file, const QString& databasePath) {
  DatabaseConnection db(databasePath);
  if (!db.IsOpen()) ShowTips(kIconError, QStringLiteral("Can't open database!"));
  ContactReplacer replacer(db);
  bool storing = replacer.IsBegun();
  CardCounts counts;
  ReadVCards(file, [&](const ContactRecord& card) {
    if (storing && StoreCard(card, db, replacer)) {
      ++counts.stored;
      return;
    }
    ++counts.failed;
    // Disk full or an I/O error can make the database give the whole transaction up.
    if (storing && replacer.Stopped()) {
      storing = false;
      counts.LoseStored();
    }
  });
  if (storing && !replacer.Commit()) counts.LoseStored();
  return counts;
}

enum class FileRead { kOk, kTooLarge, kUnreadable };

// Reads the whole file, but never more than the bound: the size is checked before anything is
// read, and only that many bytes are read even if the file grows meanwhile.
FileRead ReadVCardFile(const QString& path, QByteArray* bytes) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return FileRead::kUnreadable;
  qint64 size = file.size();
  if (size > kMaxVCardFileBytes) return FileRead::kTooLarge;
  bytes->resize(static_cast<qsizetype>(size));
  if (file.read(bytes->data(), size) != size) return FileRead::kUnreadable;
  return FileRead::kOk;
}

void ShowResult(const QString& text, unsigned icon) {
  ShowMessageBox(text, QLatin1String(kResultCaption), MB_OK | icon);
}

}  // namespace

bool ImportVCard(const QString& vcardPath, const QString& databasePath) {
  if (!QFileInfo::exists(vcardPath)) return false;
  QByteArray file;
  switch (ReadVCardFile(vcardPath, &file)) {
    case FileRead::kTooLarge:
      ShowResult(QString::fromLatin1(kTooLarge).arg(kMaxVCardFileBytes / (1024 * 1024)),
                 MB_ICONERROR);
      return true;
    case FileRead::kUnreadable:
      ShowResult(QLatin1String(kUnreadable), MB_ICONERROR);
      return true;
    case FileRead::kOk:
      break;
  }
  CardCounts counts = StoreCards(file, databasePath);
  ShowResult(QString::asprintf(kSummary, counts.stored, counts.failed), MB_ICONINFORMATION);
  return true;
}
