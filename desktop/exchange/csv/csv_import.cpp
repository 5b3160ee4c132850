#include "desktop/exchange/csv/csv_import.h"
#include "desktop/store/composed_name.h"

#include <QStringList>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/database_connection.h"
#include "platform/windows/message_service.h"

const std::array<const char*, kContactFieldCount> kCsvImportBoxColumns = {
    "First_Name",   "Middle_Name",   "Last_Name",   "Title",         "Suffix",
    "Nick_Name",    "Company",       "Department",  "Job_Title",     "File_As",
    "Mobile_Phone", "Web_Page",      "E_Mail",      "Pager",         "Work_Street",
    "Work_City",    "Work_State",    "Work_Zip",    "Work_Country",  "Home_Street",
    "Home_City",    "Home_State",    "Home_Zip",    "Home_Country",  "Other_Street",
    "Other_City",   "Other_State",   "Other_Zip",   "Other_Country", "Company_Tel",
    "Work_Tel",     "Work_Tel2",     "Work_Fax",    "Car_Tel",       "Home_Tel",
    "Home_Tel2",    "Home_Fax",      "Spouse",      "Children",      "IM",
    "IM2",          "IM3",           "E_Mail2",     "E_Mail3",       "Radio_Tel",
    "Assistant",    "Manager",       "Account",     "Birthday",      "Notes",
    "Office_Loc",   "Assistant_Tel", "Customer_ID", "Gove_ID",       "Anniversary",
};

namespace {

// The columns in the order of the boxes, with SIM_Name after Last_Name.
constexpr char kInsertColumns[] =
    "insert into Contact_Table(ContactType ,\t\t\tFirst_Name , Middle_Name , Last_Name ,SIM_Name "
    ",Title ,Suffix ,Nick_Name ,\t\t\tCompany , Department , Job_Title ,File_As "
    ",\t\t\tMobile_Phone "
    ", Web_Page ,E_Mail ,Pager ,\t\t\tWork_Street , Work_City , Work_State ,  Work_Zip , "
    "Work_Country ,\t\t\tHome_Street , Home_City , Home_State , Home_Zip , Home_Country ,\t\t\t"
    "Other_Street  , Other_City , Other_State , Other_Zip ,  Other_Country ,\t\t\tCompany_Tel "
    ",Work_Tel , Work_Tel2 ,Work_Fax ,Car_Tel ,\t\t\tHome_Tel ,Home_Tel2 ,Home_Fax ,Spouse , "
    "Children , \t\t\tIM ,IM2 , IM3 , E_Mail2 , E_Mail3 ,\t\t\tRadio_Tel , Assistant ,Manager "
    ",Account ,Birthday ,Notes ,\t\t\tOffice_Loc , Assistant_Tel , Customer_ID ,Gove_ID "
    ",Anniversary) values(1,";
constexpr int kInsertValues = kContactFieldCount + 1;  // the fields and SIM_Name

// The values are bound, so the statement is compiled once for the whole import.
QString InsertStatement() {
  QStringList parameters;
  for (int i = 0; i < kInsertValues; ++i) parameters << QStringLiteral("?");
  return QLatin1String(kInsertColumns) + parameters.join(QLatin1Char(',')) + QLatin1Char(')');
}

// Month/day/year becomes year-month-day, digits as they are; a text with a dash stays as it is,
// except the empty date "00-0-0"; anything else is no date.
QString ImportDate(const QString& value) {
  if (value.contains(QLatin1Char('/'))) {
    QStringList parts = value.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    while (parts.size() < 3) parts << QString();
    return parts[2] + QLatin1Char('-') + parts[0] + QLatin1Char('-') + parts[1];
  }
  if (value.contains(QLatin1Char('-')) && value != QLatin1String("00-0-0")) return value;
  return QString();
}

// The values of one data row in the order of the insert's columns.
QStringList InsertValues(const CsvRow& row, const CsvColumnMap& columns) {
  QStringList values;
  values.reserve(kInsertValues);
  for (int box = 0; box < kContactFieldCount; ++box) {
    int column = columns[box];
    QString value = column >= 0 && column < row.size() ? row[column] : QString();
    if (box == kCsvBirthdayBox || box == kCsvAnniversaryBox) value = ImportDate(value);
    values << value;
    if (box == kCsvLastNameBox) {
      values << ComposedContactName(values[kCsvFirstNameBox], values[kCsvMiddleNameBox], value);
    }
  }
  return values;
}

constexpr int kSimNameValue = kCsvLastNameBox + 1;

bool Insert(SqlStatement& insert, const QStringList& values) {
  bool bound = true;
  for (int i = 0; i < kInsertValues; ++i) bound = bound && insert.BindText(i + 1, values[i]);
  bool done = bound && insert.Step() == SQLITE_DONE;
  insert.Reset();
  return done;
}

}  // namespace

CsvImportCounts ImportCsvRows(const CsvRowSet& rows, const CsvColumnMap& columns,
                              const QString& databasePath) {
  int dataRows = rows.size() > 1 ? static_cast<int>(rows.size() - 1) : 0;
  const CsvImportCounts nothingIn{0, dataRows};
  if (dataRows == 0) return {};
  DatabaseConnection db(databasePath);
  if (!db.IsOpen()) {
    ShowTips(kIconError, QStringLiteral("Can't open database!"));
    return nothingIn;
  }
  SqlStatement insert(db, InsertStatement());
  if (!insert.IsValid()) return nothingIn;  // no Contact_Table
  ContactReplacer replacer(db);
  if (!replacer.IsBegun()) return nothingIn;

  CsvImportCounts counts;
  for (int r = 1; r <= dataRows; ++r) {
    QStringList values = InsertValues(rows[r], columns);
    if (replacer.Replace(values[kSimNameValue], [&] { return Insert(insert, values); })) {
      ++counts.succeeded;
    } else {
      ++counts.failed;
      if (replacer.Stopped()) return nothingIn;
    }
  }
  return replacer.Commit() ? counts : nothingIn;
}
