#include "desktop/exchange/csv/csv_reader.h"

#include <QFileInfo>

#include "common/text_mode_file.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Splits the records of a text file. Each physical line is scanned with CR LF appended: the CR
// is the end marker of the record, also where a lone CR stands inside the line.
//
// It also keeps count of the memory the rows read so far take, near enough (each row's list, and
// each field's string with its text), and gives up once that passes the bound.
class CsvRecordSplitter {
 public:
  CsvRecordSplitter(TextModeReader& reader, qint64 maxMemory)
      : reader_(reader), memoryLeft_(maxMemory) {}

  enum class Result { kRecord, kEnd, kTooLarge };

  Result Next(CsvRow* row) {
    if (!NextLine()) return Result::kEnd;
    row->clear();
    return Split(row) ? Result::kRecord : Result::kTooLarge;
  }

 private:
  static constexpr qint64 kRowMemory = 64;
  static constexpr qint64 kFieldMemory = 24;
  static constexpr qint64 kTextMemory = 32;

  bool NextLine() {
    if (!reader_.ReadLine(&line_)) return false;
    line_ += kLineEnd;
    position_ = 0;
    return true;
  }

  // The position of the first of the two characters at or after the scan position; the line's
  // own end marker stops every search.
  qsizetype Find(QChar first, QChar second) const {
    qsizetype i = position_;
    while (line_[i] != first && line_[i] != second) ++i;
    return i;
  }

  void TakeUpTo(qsizetype end, QString* field) {
    field->append(QStringView(line_).mid(position_, end - position_));
    position_ = end;
  }

  // Adds the field to the row; false when the rows would take too much memory.
  bool AddField(QString* field, CsvRow* row) {
    memoryLeft_ -= kFieldMemory + (field->isEmpty() ? 0 : kTextMemory + 2 * field->size());
    row->append(std::move(*field));
    *field = QString();
    return memoryLeft_ >= 0;
  }

  bool Split(CsvRow* row) {
    memoryLeft_ -= kRowMemory;
    QString field;
    for (;;) {
      if (field.isEmpty() && line_.at(position_) == QLatin1Char('"')) {
        ++position_;
        if (!TakeQuoted(&field)) return AddField(&field, row);  // the file ended inside quotes
      }
      TakeUpTo(Find(QLatin1Char(','), QLatin1Char('\r')), &field);
      if (!AddField(&field, row)) return false;
      if (line_.at(position_++) == QLatin1Char('\r')) return true;
    }
  }

  // Takes a quoted field's text up to its closing quote, reading on over line ends. False when
  // the file ends first.
  bool TakeQuoted(QString* field) {
    for (;;) {
      TakeUpTo(Find(QLatin1Char('"'), QLatin1Char('\r')), field);
      if (line_.at(position_) == QLatin1Char('\r')) {
        if (!NextLine()) return false;
        field->append(kLineEnd);
      } else if (line_.at(position_ + 1) == QLatin1Char('"')) {
        field->append(QLatin1Char('"'));
        position_ += 2;
      } else {
        ++position_;
        return true;
      }
    }
  }

  TextModeReader& reader_;
  qint64 memoryLeft_;
  QString line_;
  qsizetype position_ = 0;
};

}  // namespace

CsvReadResult ReadCsvFile(CsvRowSet& rows, const QString& path, qint64 maxRowMemory) {
  QFileInfo file(path);
  if (!file.isFile()) return CsvReadResult::kNotFound;
  if (file.size() > kMaxCsvFileBytes) return CsvReadResult::kTooLarge;
  TextModeReader reader;
  if (!reader.Open(path)) return CsvReadResult::kNotFound;

  CsvRowSet read;
  CsvRecordSplitter splitter(reader, maxRowMemory);
  CsvRow row;
  for (;;) {
    switch (splitter.Next(&row)) {
      case CsvRecordSplitter::Result::kRecord:
        read.push_back(std::move(row));
        break;
      case CsvRecordSplitter::Result::kTooLarge:
        return CsvReadResult::kTooLarge;
      case CsvRecordSplitter::Result::kEnd:
        rows.insert(rows.end(), std::make_move_iterator(read.begin()),
                    std::make_move_iterator(read.end()));
        return CsvReadResult::kRead;
    }
  }
}

void FreeCsvRows(CsvRowSet& rows) { CsvRowSet().swap(rows); }
