#include "desktop/exchange/csv/csv_reader.h"

#include "common/regular_file.h"

namespace {

// What a row takes in memory, near enough: its list, and each field's string with its text.
constexpr qint64 kRowMemory = 64;
constexpr qint64 kFieldMemory = 24;
constexpr qint64 kTextMemory = 32;

}  // namespace

CsvReadResult CsvRecordReader::Open(const QString& path) {
  if (!OpenRegularFile(file_, path)) return CsvReadResult::kNotFound;
  lines_.emplace(file_);
  return CsvReadResult::kRead;
}

// Takes the next physical line, refusing to hold more of one record than it may take as a row.
bool CsvRecordReader::NextLine() {
  const TextLineReader::Read read = lines_->Next(maxMemory_);
  if (read == TextLineReader::Read::kTooLong) tooLarge_ = true;
  record_ = lines_->Held();  // reading on may have moved the record's bytes
  if (read != TextLineReader::Read::kLine) return false;
  lineEnd_ = lines_->LineEnd();
  position_ = lines_->LineStart();
  return true;
}

// The first of the two characters at or after the scan position in the line; the line's end,
// which counts as a carriage return, when there is none.
qsizetype CsvRecordReader::FindInLine(char first, char second) const {
  const char* line = record_.data();
  for (qsizetype i = position_; i < lineEnd_; ++i) {
    if (line[i] == first || line[i] == second) return i;
  }
  return lineEnd_;
}

QByteArray& CsvRecordReader::Assembled(Field& field) {
  if (field.assembled < 0) {
    field.assembled = assembledUsed_++;
    if (field.assembled == std::ssize(assembled_)) assembled_.emplace_back();
    QByteArray& text = assembled_[field.assembled];
    text.resize(0);
    text.append(record_.data() + field.offset, field.size);
  }
  return assembled_[field.assembled];
}

// Adds the record's bytes from `from` to `to` to the field: as a piece of the record while they
// follow on from what it has, else put together.
void CsvRecordReader::Append(Field& field, qsizetype from, qsizetype to) {
  if (from == to) return;
  if (field.assembled < 0 && field.size == 0) {
    field.offset = from;
    field.size = to - from;
  } else if (field.assembled < 0 && field.offset + field.size == from) {
    field.size += to - from;
  } else {
    Assembled(field).append(record_.data() + from, to - from);
  }
}

void CsvRecordReader::AppendText(Field& field, QByteArrayView text) {
  Assembled(field).append(text);
}

CsvRecordReader::Quoted CsvRecordReader::TakeQuoted(Field& field) {
  for (;;) {
    qsizetype end = FindInLine('"', '\r');
    Append(field, position_, end);
    if (end == lineEnd_ || record_.at(end) == '\r') {
      if (!NextLine()) return tooLarge_ ? Quoted::kTooLarge : Quoted::kFileEnded;
      AppendText(field, "\r\n");
    } else if (end + 1 < lineEnd_ && record_.at(end + 1) == '"') {
      Append(field, end, end + 1);
      position_ = end + 2;
    } else {
      position_ = end + 1;
      return Quoted::kClosed;
    }
  }
}

bool CsvRecordReader::AddField(const Field& field) {
  qsizetype size = field.assembled < 0 ? field.size : assembled_[field.assembled].size();
  rowMemory_ += kFieldMemory + (size > 0 ? kTextMemory + 2 * size : 0);
  fields_.push_back(field);
  return rowMemory_ <= maxMemory_;
}

CsvRecordReader::Next CsvRecordReader::ReadRecord(qint64 maxMemory) {
  fields_.clear();
  assembledUsed_ = 0;
  rowMemory_ = kRowMemory;
  maxMemory_ = maxMemory;
  lines_->Release();
  if (tooLarge_ || lines_->Failed() || !NextLine()) {
    return tooLarge_ ? Next::kTooLarge : lines_->Failed() ? Next::kUnreadable : Next::kEnd;
  }
  for (;;) {
    Field field;
    if (position_ < lineEnd_ && record_.at(position_) == '"') {
      ++position_;
      Quoted quoted = TakeQuoted(field);
      if (quoted == Quoted::kTooLarge) return Next::kTooLarge;
      if (quoted == Quoted::kFileEnded) return AddField(field) ? Next::kRecord : TooLarge();
    }
    qsizetype end = FindInLine(',', '\r');
    Append(field, position_, end);
    if (!AddField(field)) return TooLarge();
    if (end == lineEnd_ || record_.at(end) == '\r') return Next::kRecord;
    position_ = end + 1;
  }
}

CsvRecordReader::Next CsvRecordReader::TooLarge() {
  tooLarge_ = true;
  return Next::kTooLarge;
}

QByteArrayView CsvRecordReader::FieldBytes(int field) const {
  const Field& f = fields_[field];
  if (f.assembled >= 0) return assembled_[f.assembled];
  return record_.sliced(f.offset, f.size);
}

QString CsvRecordReader::FieldText(int field) const {
  QByteArrayView bytes = FieldBytes(field);
  return DecodeText(bytes, lines_->Encoding());
}

CsvRow CsvRecordReader::Row() const {
  CsvRow row;
  row.reserve(FieldCount());
  for (int field = 0; field < FieldCount(); ++field) row << FieldText(field);
  return row;
}

CsvReadResult ReadCsvHeader(CsvRow& header, const QString& path) {
  CsvRecordReader reader;
  CsvReadResult opened = reader.Open(path);
  if (opened != CsvReadResult::kRead) return opened;
  switch (reader.ReadRecord()) {
    case CsvRecordReader::Next::kRecord:
      header = reader.Row();
      break;
    case CsvRecordReader::Next::kTooLarge:
      return CsvReadResult::kTooLarge;
    case CsvRecordReader::Next::kUnreadable:
      return CsvReadResult::kNotFound;
    case CsvRecordReader::Next::kEnd:
      header.clear();
      break;
  }
  return CsvReadResult::kRead;
}
