#include "desktop/ui/contact_form.h"

#include <QDir>
#include <QRegularExpression>

#include "desktop/store/sql_text.h"

namespace {

// The columns of a phone contact's insert, as the program has always written them.
constexpr char kInsertColumns[] =
    "insert into Contact_Table(Title ,First_Name , Middle_Name , Last_Name , Suffix ,  Nick_Name "
    ", Company , Department , Job_Title ,  File_As , Work_Street , Work_City , Work_State ,  "
    "Work_Zip , Work_Country , Home_Street , Home_City , Home_State , Home_Zip , Home_Country , "
    "Other_Street  , Other_City , Other_State , Other_Zip ,  Other_Country , Mobile_Phone , "
    "Web_Page , E_Mail , Pager , Company_Tel , Work_Tel , Work_Tel2 , Work_Fax , Car_Tel , "
    "Home_Tel , Home_Tel2 , Home_Fax , Spouse , Children , IM , IM2 , IM3 , E_Mail2 , E_Mail3 , "
    "Radio_Tel , Office_Loc , Assistant , Assistant_Tel , Manager , Customer_ID , Account , "
    "Gove_ID , Categories , Birthday , Anniversary , Notes, Ring_Tone";
constexpr char kInsertPictureTail[] = ", Picture, hasPic,ContactType,SIM_Name) values(";
constexpr char kInsertPlainTail[] = ",ContactType,SIM_Name) values(";

constexpr char kSoundsFolder[] = "\\Application Data\\Sounds\\";

// The columns from Title to Notes that a phone contact's insert and update write from the
// dialog's fields, in statement order. File_As (the composed name), Ring_Tone and Picture are
// written apart.
constexpr std::array<int, 55> kWrittenColumns = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
    21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39,
    40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 55, 56, 58};

QString ColumnName(int column) { return QString::fromLatin1(kContactColumns[column]); }

}  // namespace

QString ComposeContactName(const QString& first, const QString& middle, const QString& last) {
  QString name = !last.isEmpty() && !first.isEmpty() ? last + QLatin1Char(',') + first
                 : last.isEmpty()                    ? first
                                                     : last;
  if (!middle.isEmpty()) name += QLatin1Char(' ') + middle;
  return name;
}

std::optional<QDate> ParseStoredDate(const QString& text) {
  static const QRegularExpression kDate(
      QStringLiteral("^\\s*(\\d{1,4})-(\\d{1,2})-(\\d{1,2})(\\D|$)"));
  QRegularExpressionMatch match = kDate.match(text);
  if (!match.hasMatch()) return std::nullopt;
  QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
  if (!date.isValid()) return std::nullopt;
  return date;
}

QString FormatStoredDate(const QDate& date) {
  return QStringLiteral("%1-%2-%3").arg(date.year()).arg(date.month()).arg(date.day());
}

QStringList RingToneFiles(const QString& folder) {
  QDir dir(folder);
  QStringList names;
  for (const char* pattern : {"*.wma", "*.wav", "*.mp3"}) {
    names << dir.entryList({QString::fromLatin1(pattern)}, QDir::Files, QDir::Name);
  }
  return names;
}

int FindRingToneEntry(const QStringList& entries, const QString& storedRingTone) {
  QString name = storedRingTone.mid(storedRingTone.lastIndexOf(QLatin1Char('\\')) + 1);
  if (name.isEmpty()) return -1;
  for (qsizetype i = kFirstRingToneFile; i < entries.size(); ++i) {
    if (entries[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  }
  return -1;
}

QString RingTonePhonePath(const QString& fileName) {
  return fileName.isEmpty() ? QString() : QString::fromLatin1(kSoundsFolder) + fileName;
}

std::optional<qint64> ParseRecordId(const QString& text) {
  bool ok = false;
  qint64 id = text.trimmed().toLongLong(&ok);
  return ok ? std::optional<qint64>(id) : std::nullopt;
}

QString LoadContactStatement(qint64 id) {
  return QStringLiteral("select * from Contact_Table where ID = %1").arg(id);
}

QString PhoneDuplicateQuery(const QString& first, const QString& middle, const QString& last) {
  return "select count(*) from Contact_Table where First_Name=" + SqlQuote(first) +
         " and Middle_Name=" + SqlQuote(middle) + " and Last_Name=" + SqlQuote(last);
}

QString SimDuplicateQuery(const QString& simName) {
  return "select count(*) from Contact_Table where SIM_Name =" + SqlQuote(simName);
}

QString SimInsertStatement(const QString& simName, const QString& mobile) {
  return "insert into Contact_Table( First_Name, Sim_Name , Mobile_Phone,ContactType) values(" +
         SqlQuote(simName) + "," + SqlQuote(simName) + "," + SqlQuote(mobile) + ",2)";
}

QString PhoneInsertStatement(const ContactTexts& values, bool withPicture) {
  QString sql = QString::fromLatin1(kInsertColumns) +
                QString::fromLatin1(withPicture ? kInsertPictureTail : kInsertPlainTail);
  for (int column : kWrittenColumns) {
    // File_As stands in the insert between Job_Title and Work_Street.
    if (column == kColumnFileAs + 1) sql += SqlQuote(values[kColumnFileAs]) + ",";
    sql += SqlQuote(values[column]) + ",";
  }
  sql += SqlQuote(values[kColumnRingTone]) + ",";
  sql += withPicture ? QStringLiteral("?,1,1,") : QStringLiteral("1,");
  return sql + SqlQuote(values[kColumnSimName]) + ")";
}

QString SimUpdateStatement(qint64 id, const QString& simName, const QString& mobile) {
  return "Update Contact_Table Set Sim_Name =" + SqlQuote(simName) + "," +
         "File_As =" + SqlQuote(simName) + "," + "Mobile_Phone =" + SqlQuote(mobile) + "," +
         "ContactType = 2" + QStringLiteral(" where ID = %1").arg(id);
}

QString PhoneUpdateStatement(qint64 id, const ContactTexts& values, PictureChange picture) {
  QString sql = QStringLiteral("Update Contact_Table Set ");
  for (int column : kWrittenColumns) {
    // The program has always written this one column with a blank before its name.
    QString name = column == 23 ? QLatin1Char(' ') + ColumnName(column) : ColumnName(column);
    sql += name + " =" + SqlQuote(values[column]) + ",";
  }
  sql += "SIM_Name =" + SqlQuote(values[kColumnSimName]) + ",";
  sql += "File_As =" + SqlQuote(values[kColumnFileAs]) + ",";
  sql += "Ring_Tone = " + SqlQuote(values[kColumnRingTone]) + ",";
  sql += QStringLiteral("ContactType = 1,");
  switch (picture) {
    case PictureChange::kKeep:
      sql += QStringLiteral("hasPic = 1");
      break;
    case PictureChange::kReplace:
      sql += QStringLiteral("hasPic = 1,Picture = ?");
      break;
    case PictureChange::kRemove:
      sql += QStringLiteral("hasPic = 0,Picture = ''");
      break;
  }
  return sql + QStringLiteral(" where ID = %1").arg(id);
}

bool IsSuccessOutcome(int code) {
  return code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE;
}

StoreResult RunStoreStatement(DatabaseConnection& db, const QString& sql, const QByteArray* picture,
                              bool mustChangeRow) {
  SqlStatement statement(db, sql);
  if (!statement.IsValid()) return {false, db.ErrorText()};
  if (picture != nullptr && !statement.BindBlob(1, *picture)) return {false, db.ErrorText()};
  if (!IsSuccessOutcome(statement.Step())) return {false, db.ErrorText()};
  if (mustChangeRow && sqlite3_changes(db.Handle()) == 0) return {false, QString()};
  return {true, QString()};
}
