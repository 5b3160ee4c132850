#include "desktop/exchange/csv/csv_import.h"

#include <QStringList>

#include <vector>

#include "common/ansi_text.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_insert.h"
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
std::vector<const char*> InsertColumns() {
  std::vector<const char*> columns = {"ContactType"};
  for (int box = 0; box < kContactFieldCount; ++box) {
    columns.push_back(kCsvImportBoxColumns[box]);
    if (box == kCsvLastNameBox) columns.push_back("SIM_Name");
  }
  return columns;
}

int PositionOfBox(int box) { return 1 + box + (box > kCsvLastNameBox ? 1 : 0); }
constexpr int kSimNamePosition = 1 + kCsvLastNameBox + 1;

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

// Stores the records of a CSV file as phone contacts through one insert.
class CsvRowStore {
 public:
  CsvRowStore(DatabaseConnection& db, const CsvColumnMap& columns)
      : insert_(db, InsertColumns()), columns_(columns) {}

  bool IsValid() const { return insert_.IsValid(); }

  // Binds the values of the record and returns the name it replaces.
  QString SetValues(const CsvRecordReader& record) {
    insert_.SetInteger(0, kPhoneContact);
    for (int box = 0; box < kContactFieldCount; ++box) {
      int position = PositionOfBox(box);
      if (box == kCsvBirthdayBox || box == kCsvAnniversaryBox) {
        insert_.SetText(position, ImportDate(Text(record, box)));
      } else if (QByteArrayView bytes = Bytes(record, box); IsAsciiText(bytes)) {
        insert_.SetAnsiText(position, bytes);  // the same bytes in every code page
      } else {
        insert_.SetText(position, Text(record, box));
      }
    }
    QString name =
        ComposedContactName(Text(record, kCsvFirstNameBox), Text(record, kCsvMiddleNameBox),
                            Text(record, kCsvLastNameBox));
    insert_.SetText(kSimNamePosition, name);
    return name;
  }

  bool Insert() { return insert_.Insert(); }

 private:
  // The field of a box; empty when the box is unmapped or the record is shorter.
  bool HasField(const CsvRecordReader& record, int box) const {
    return columns_[box] >= 0 && columns_[box] < record.FieldCount();
  }
  QByteArrayView Bytes(const CsvRecordReader& record, int box) const {
    return HasField(record, box) ? record.FieldBytes(columns_[box]) : QByteArrayView();
  }
  QString Text(const CsvRecordReader& record, int box) const {
    return HasField(record, box) ? record.FieldText(columns_[box]) : QString();
  }

  ContactRowInsert insert_;
  const CsvColumnMap& columns_;
};

// Reads the records that are left, to count them.
CsvReadResult CountRecords(CsvRecordReader& reader, int* count) {
  for (;;) {
    switch (reader.ReadRecord()) {
      case CsvRecordReader::Next::kRecord:
        ++*count;
        break;
      case CsvRecordReader::Next::kTooLarge:
        return CsvReadResult::kTooLarge;
      case CsvRecordReader::Next::kEnd:
        return CsvReadResult::kRead;
    }
  }
}

// Nothing of the file is in: every record counts as failed, the `read` ones and the rest.
CsvReadResult NothingIn(CsvRecordReader& reader, int read, CsvImportCounts* counts) {
  *counts = {0, read};
  return CountRecords(reader, &counts->failed);
}

}  // namespace

CsvReadResult ImportCsvFile(const QString& csvPath, const CsvColumnMap& columns,
                            const QString& databasePath, CsvImportCounts* counts) {
  *counts = {};
  CsvRecordReader reader;
  CsvReadResult opened = reader.Open(csvPath);
  if (opened != CsvReadResult::kRead) return opened;
  CsvRecordReader::Next next = reader.ReadRecord();  // the header
  if (next == CsvRecordReader::Next::kRecord) next = reader.ReadRecord();
  if (next != CsvRecordReader::Next::kRecord) {
    return next == CsvRecordReader::Next::kEnd ? CsvReadResult::kRead : CsvReadResult::kTooLarge;
  }
  DatabaseConnection db(databasePath);
  if (!db.IsOpen()) {
    ShowTips(kIconError, QStringLiteral("Can't open database!"));
    return NothingIn(reader, 1, counts);
  }
  CsvRowStore store(db, columns);
  if (!store.IsValid()) return NothingIn(reader, 1, counts);  // no Contact_Table
  ContactReplacer replacer(db);
  if (!replacer.IsBegun()) return NothingIn(reader, 1, counts);

  for (; next == CsvRecordReader::Next::kRecord; next = reader.ReadRecord()) {
    QString name = store.SetValues(reader);
    if (replacer.Replace(name, [&] { return store.Insert(); })) {
      ++counts->succeeded;
      continue;
    }
    ++counts->failed;
    if (replacer.Stopped()) return NothingIn(reader, counts->succeeded + counts->failed, counts);
  }
  if (next == CsvRecordReader::Next::kTooLarge) {
    replacer.Rollback();
    *counts = {};
    return CsvReadResult::kTooLarge;
  }
  if (!replacer.Commit()) *counts = {0, counts->succeeded + counts->failed};
  return CsvReadResult::kRead;
}
