#include "desktop/exchange/vcard/vcard_import.h"
#include "desktop/store/composed_name.h"

#include <QFile>
#include <QFileInfo>

#include <array>

#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/resources/resource_ids.h"
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

// ---- The statements ------------------------------------------------------------------------

using Field = QString ContactRecord::*;

struct InsertColumn {
  const char* name;
  Field field;  // null: the composed name
};

// The columns of the insert, in its order. Department, Office_Loc, Customer_ID, Account and
// Gove_ID are in it though no vCard line fills them.
const std::array<InsertColumn, 56> kInsertColumns = {{
    {"First_Name", &ContactRecord::firstName},
    {"Middle_Name", &ContactRecord::middleName},
    {"Last_Name", &ContactRecord::lastName},
    {"SIM_Name", nullptr},
    {"Title", &ContactRecord::title},
    {"Suffix", &ContactRecord::suffix},
    {"Nick_Name", &ContactRecord::nickName},
    {"Company", &ContactRecord::company},
    {"Department", &ContactRecord::department},
    {"Job_Title", &ContactRecord::jobTitle},
    {"File_As", nullptr},
    {"Mobile_Phone", &ContactRecord::mobilePhone},
    {"Web_Page", &ContactRecord::webPage},
    {"E_Mail", &ContactRecord::eMail},
    {"Pager", &ContactRecord::pager},
    {"Work_Street", &ContactRecord::workStreet},
    {"Work_City", &ContactRecord::workCity},
    {"Work_State", &ContactRecord::workState},
    {"Work_Zip", &ContactRecord::workZip},
    {"Work_Country", &ContactRecord::workCountry},
    {"Home_Street", &ContactRecord::homeStreet},
    {"Home_City", &ContactRecord::homeCity},
    {"Home_State", &ContactRecord::homeState},
    {"Home_Zip", &ContactRecord::homeZip},
    {"Home_Country", &ContactRecord::homeCountry},
    {"Other_Street", &ContactRecord::otherStreet},
    {"Other_City", &ContactRecord::otherCity},
    {"Other_State", &ContactRecord::otherState},
    {"Other_Zip", &ContactRecord::otherZip},
    {"Other_Country", &ContactRecord::otherCountry},
    {"Company_Tel", &ContactRecord::companyTel},
    {"Work_Tel", &ContactRecord::workTel},
    {"Work_Tel2", &ContactRecord::workTel2},
    {"Work_Fax", &ContactRecord::workFax},
    {"Car_Tel", &ContactRecord::carTel},
    {"Home_Tel", &ContactRecord::homeTel},
    {"Home_Tel2", &ContactRecord::homeTel2},
    {"Home_Fax", &ContactRecord::homeFax},
    {"Spouse", &ContactRecord::spouse},
    {"Children", &ContactRecord::children},
    {"IM", &ContactRecord::im},
    {"IM2", &ContactRecord::im2},
    {"IM3", &ContactRecord::im3},
    {"E_Mail2", &ContactRecord::eMail2},
    {"E_Mail3", &ContactRecord::eMail3},
    {"Radio_Tel", &ContactRecord::radioTel},
    {"Assistant", &ContactRecord::assistant},
    {"Manager", &ContactRecord::manager},
    {"Account", &ContactRecord::account},
    {"Birthday", &ContactRecord::birthday},
    {"Notes", &ContactRecord::notes},
    {"Office_Loc", &ContactRecord::officeLoc},
    {"Assistant_Tel", &ContactRecord::assistantTel},
    {"Customer_ID", &ContactRecord::customerId},
    {"Gove_ID", &ContactRecord::goveId},
    {"Anniversary", &ContactRecord::anniversary},
}};

// "insert into Contact_Table(ContactType ,First_Name,...,Anniversary) values(1,"
QString InsertHead() {
  QString head = QStringLiteral("insert into Contact_Table(ContactType ,");
  for (const InsertColumn& column : kInsertColumns) {
    head += QLatin1String(column.name) + QLatin1Char(',');
  }
  head.chop(1);
  return head + QStringLiteral(") values(1,");
}

QString InsertStatement(const ContactRecord& card, const QString& composedName) {
  static const QString head = InsertHead();
  QString sql = head;
  for (const InsertColumn& column : kInsertColumns) {
    sql += SqlQuote(column.field == nullptr ? composedName : card.*column.field);
    sql += QLatin1Char(',');
  }
  sql.back() = QLatin1Char(')');
  return sql;
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
    QString name = ComposedContactName(card.firstName, card.middleName, card.lastName);
    QString insert = InsertStatement(card, name);
    if (storing && replacer.Replace(name, [&] { return db.Exec(insert) == SQLITE_OK; })) {
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
