#include "desktop/exchange/csv/csv_import.h"

#include <QStringList>

#include <algorithm>
#include <array>

#include "common/ansi_text.h"
#include "desktop/exchange/contact_value_batch.h"
#include "desktop/exchange/csv/csv_import_boxes.h"
#include "desktop/exchange/import_pipeline.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"

const std::array<const char*, kContactFieldCount> kCsvImportBoxColumns = [] {
  std::array<const char*, kContactFieldCount> columns{};
  for (int box = 0; box < kContactFieldCount; ++box)
    columns[box] = ColumnNameOf(kCsvImportBoxFields[box]);
  return columns;
}();

namespace {

// The contact field (1 to 55) each box fills.
constexpr std::array<int, kContactFieldCount> kFieldOfBox = [] {
  std::array<int, kContactFieldCount> fields{};
  for (int box = 0; box < kContactFieldCount; ++box)
    fields[box] = Index(kCsvImportBoxFields[box]) + 1;
  return fields;
}();

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

// Adds the values of a record: each box's field as it is when it is ASCII, which reads the same
// in every code page, else its text converted to ANSI bytes; empty when the box is unmapped or
// the record is shorter.
void AddRecord(const CsvRecordReader& record, const CsvColumnMap& columns,
               ContactValueBatch* batch) {
  int added = batch->Add();
  for (int box = 0; box < kContactFieldCount; ++box) {
    int column = columns[box];
    int field = kFieldOfBox[box];
    if (column < 0 || column >= record.FieldCount()) continue;  // stays empty
    if (box == kCsvBirthdayBox || box == kCsvAnniversaryBox) {
      batch->SetText(added, field, ImportDate(record.FieldText(column)));
    } else if (QByteArrayView bytes = record.FieldBytes(column); IsAsciiText(bytes)) {
      batch->SetValue(added, field, bytes);
    } else {
      batch->SetText(added, field, record.FieldText(column));
    }
  }
  auto name = [&](int box) {
    QByteArrayView text = batch->Value(added, kFieldOfBox[box]);
    return QByteArray::fromRawData(text.data(), text.size());
  };
  QByteArray composed =
      ComposedContactName(name(kCsvFirstNameBox), name(kCsvMiddleNameBox), name(kCsvLastNameBox));
  batch->SetValue(added, kNameValue, composed);
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

// Reads the data records into batches of field values; remembers how the reading ended.
class CsvBatchReader {
 public:
  CsvBatchReader(CsvRecordReader& reader, const CsvColumnMap& columns)
      : reader_(reader), columns_(columns) {}

  void Read(ContactValueBatch& batch) {
    batch.Restart(kFieldValueCount);
    while (BatchTakesMore(batch.Size(), batch.ByteSize())) {
      last_ = reader_.ReadRecord();
      if (last_ != CsvRecordReader::Next::kRecord) {
        batch.SetEnd(ResultOf(last_) == CsvReadResult::kRead ? BatchEnd::kLast : BatchEnd::kUnread);
        return;
      }
      AddRecord(reader_, columns_, &batch);
      batch.DropLastIfBlank();
    }
  }
  CsvRecordReader::Next Last() const { return last_; }

 private:
  CsvRecordReader& reader_;
  const CsvColumnMap& columns_;
  CsvRecordReader::Next last_ = CsvRecordReader::Next::kRecord;
};

}  // namespace

CsvImportOutcome ImportCsvFile(const QString& csvPath, const CsvColumnMap& columns,
                               const QString& databasePath) {
  CsvRecordReader reader;
  CsvReadResult opened = reader.Open(csvPath);
  if (opened != CsvReadResult::kRead) return {.read = opened};
  CsvReadResult header = ResultOf(reader.ReadRecord());
  if (header != CsvReadResult::kRead) return {.read = header};
  CsvBatchReader batches(reader, columns);
  ContactValueBatch first;
  batches.Read(first);
  if (first.Size() == 0) return {.read = ResultOf(batches.Last())};
  DatabaseConnection db(databasePath);
  ContactRowInsert insert(db, FieldValuesInsertColumns());
  ContactReplacer replacer(db);
  ImportRun run = StoreRecords<ContactValueBatch>(
      insert.IsValid() && replacer.IsBegun() ? &replacer : nullptr, std::move(first),
      {.read = [&](ContactValueBatch& batch) { batches.Read(batch); },
       .bind = [&](const ContactValueBatch& batch,
                   int record) { return batch.BindFieldValues(record, insert); }});
  if (!run.whole) return {.read = ResultOf(batches.Last()), .fault = replacer.Fault()};
  CommitImport(replacer, &run);
  return {run.stored, run.failed, CsvReadResult::kRead, replacer.Fault()};
}
