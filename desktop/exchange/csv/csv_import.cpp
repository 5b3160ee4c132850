#include "desktop/exchange/csv/csv_import.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "common/ansi_text.h"
#include "desktop/exchange/contact_value_batch.h"
#include "desktop/exchange/read_ahead.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"

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

// Month/day/year becomes year-month-day, digits as they are, unless they are all zeros: Outlook
// writes "0/0/00" for no date. A text with a dash stays as it is, except the empty date "00-0-0";
// anything else is no date.
QString ImportDate(const QString& value) {
  if (value.contains(QLatin1Char('/'))) {
    QStringList parts = value.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    auto zeros = [](const QString& part) {
      return std::all_of(part.begin(), part.end(), [](QChar c) { return c == u'0'; });
    };
    if (std::all_of(parts.begin(), parts.end(), zeros)) return QString();
    while (parts.size() < 3) parts << QString();
    return parts[2] + QLatin1Char('-') + parts[0] + QLatin1Char('-') + parts[1];
  }
  if (value.contains(QLatin1Char('-')) && value != QLatin1String("00-0-0")) return value;
  return QString();
}

constexpr int kValueCount = kContactFieldCount + 1;  // the boxes' values and SIM_Name

// Records are read and turned into the bytes they are stored as a batch at a time on a second
// thread, while the database stores the batch before.
struct RecordBatch {
  ContactValueBatch values{kValueCount};  // in the insert's order after ContactType
  CsvRecordReader::Next end = CsvRecordReader::Next::kRecord;  // more may follow
};

// Adds the values of a record: each box's field as it is when it is ASCII, which reads the same
// in every code page, else its text converted to ANSI bytes; empty when the box is unmapped or
// the record is shorter.
void AddRecord(const CsvRecordReader& record, const CsvColumnMap& columns,
               ContactValueBatch* batch) {
  int added = batch->Add();
  for (int box = 0; box < kContactFieldCount; ++box) {
    int column = columns[box];
    int value = PositionOfBox(box) - 1;
    if (column < 0 || column >= record.FieldCount()) continue;  // stays empty
    if (box == kCsvBirthdayBox || box == kCsvAnniversaryBox) {
      batch->SetValue(added, value, WideToAnsi(ImportDate(record.FieldText(column))));
    } else if (QByteArrayView bytes = record.FieldBytes(column); IsAsciiText(bytes)) {
      batch->SetValue(added, value, bytes);
    } else {
      batch->SetValue(added, value, WideToAnsi(record.FieldText(column)));
    }
  }
  auto name = [&](int box) {
    QByteArrayView text = batch->Value(added, PositionOfBox(box) - 1);
    return QByteArray::fromRawData(text.data(), text.size());
  };
  QByteArray composed =
      ComposedContactName(name(kCsvFirstNameBox), name(kCsvMiddleNameBox), name(kCsvLastNameBox));
  batch->SetValue(added, kSimNamePosition - 1, composed);
}

// How the reading stands after a record: kTooLarge or kNotFound once it stopped short.
CsvReadResult ResultOf(CsvRecordReader::Next next) {
  switch (next) {
    case CsvRecordReader::Next::kTooLarge:
      return CsvReadResult::kTooLarge;
    case CsvRecordReader::Next::kUnreadable:
      return CsvReadResult::kNotFound;
    case CsvRecordReader::Next::kRecord:
    case CsvRecordReader::Next::kEnd:
      break;
  }
  return CsvReadResult::kRead;
}

RecordBatch ReadBatch(CsvRecordReader* reader, const CsvColumnMap* columns) {
  RecordBatch batch;
  while (BatchTakesMore(batch.values.Size(), batch.values.ByteSize())) {
    batch.end = reader->ReadRecord();
    if (batch.end != CsvRecordReader::Next::kRecord) break;
    AddRecord(*reader, *columns, &batch.values);
    batch.values.DropLastIfBlank();
  }
  return batch;
}

// Nothing of the file is in: every record counts as failed, those of the batch read and the
// rest.
CsvImportOutcome NothingIn(CsvRecordReader& reader, const CsvColumnMap& columns,
                           const RecordBatch& read) {
  CsvImportOutcome outcome{0, read.values.Size()};
  CsvRecordReader::Next end = read.end;
  while (end == CsvRecordReader::Next::kRecord) {
    RecordBatch batch = ReadBatch(&reader, &columns);
    outcome.failed += batch.values.Size();
    end = batch.end;
  }
  if (end == CsvRecordReader::Next::kEnd) return outcome;
  return {.read = ResultOf(end)};
}

// Stores the batches, the first of which is read, in one transaction. Once the database has
// given the transaction up, the rest is only counted.
CsvImportOutcome StoreRecords(CsvRecordReader& reader, const CsvColumnMap& columns,
                              RecordBatch batch, ContactRowInsert& insert,
                              ContactReplacer& replacer) {
  auto isLast = [](const RecordBatch& read) { return read.end != CsvRecordReader::Next::kRecord; };
  std::optional<ReadAhead<RecordBatch>> ahead;
  if (!isLast(batch)) ahead.emplace([&] { return ReadBatch(&reader, &columns); }, isLast);
  CsvImportOutcome outcome;
  bool stopped = false;
  int read = 0;
  for (;;) {
    read += batch.values.Size();
    for (int record = 0; record < batch.values.Size() && !stopped; ++record) {
      insert.SetInteger(0, kPhoneContact);
      batch.values.SetValuesOf(record, insert, 1);
      if (replacer.Replace(batch.values.Value(record, kSimNamePosition - 1), insert)) {
        ++outcome.succeeded;
      } else {
        ++outcome.failed;
        stopped = replacer.Stopped();
      }
    }
    if (ResultOf(batch.end) != CsvReadResult::kRead) {
      replacer.Rollback();
      return {.read = ResultOf(batch.end)};
    }
    if (batch.end == CsvRecordReader::Next::kEnd) break;
    batch = ahead->Next(std::move(batch));
  }
  if (stopped || !replacer.Commit()) return {0, read};
  return outcome;
}

}  // namespace

CsvImportOutcome ImportCsvFile(const QString& csvPath, const CsvColumnMap& columns,
                               const QString& databasePath) {
  CsvRecordReader reader;
  CsvReadResult opened = reader.Open(csvPath);
  if (opened != CsvReadResult::kRead) return {.read = opened};
  CsvReadResult header = ResultOf(reader.ReadRecord());
  if (header != CsvReadResult::kRead) return {.read = header};
  RecordBatch first = ReadBatch(&reader, &columns);
  if (first.values.Size() == 0) return {.read = ResultOf(first.end)};
  DatabaseConnection db(databasePath);
  ContactRowInsert insert(db, InsertColumns());
  ContactReplacer replacer(db);
  if (!insert.IsValid() || !replacer.IsBegun()) {
    CsvImportOutcome outcome = NothingIn(reader, columns, first);
    outcome.fault = replacer.Fault();
    return outcome;
  }
  return StoreRecords(reader, columns, std::move(first), insert, replacer);
}
