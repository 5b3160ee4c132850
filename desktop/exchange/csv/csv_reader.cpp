#include "desktop/exchange/csv/csv_reader.h"

#include "common/regular_file.h"

#include <algorithm>

namespace {

constexpr qint64 kChunkBytes = 1024 * 1024;

// What a row takes in memory, near enough: its list, and each field's string with its text.
constexpr qint64 kRowMemory = 64;
constexpr qint64 kFieldMemory = 24;
constexpr qint64 kTextMemory = 32;

}  // namespace

CsvReadResult CsvRecordReader::Open(const QString& path) {
  if (!OpenRegularFile(file_, path)) return CsvReadResult::kNotFound;
  bytes_.emplace(file_);
  Refill();
  return CsvReadResult::kRead;
}

// Reads the next chunk of the file behind what the buffer holds, first dropping what lies before
// the record being read. False at the end of the file.
bool CsvRecordReader::Refill() {
  if (atEnd_) return false;
  qsizetype drop = recordStart_;
  buffer_.remove(0, drop);
  for (qsizetype* offset : {&recordStart_, &lineStart_, &lineEnd_, &nextLine_, &position_}) {
    *offset -= drop;
  }
  qsizetype kept = buffer_.size();
  const qint64 chunkBytes = bytes_->ChunkSize(kChunkBytes);
  buffer_.resize(kept + chunkBytes);
  qint64 read = bytes_->Read(buffer_.data() + kept, chunkBytes);
  buffer_.resize(kept + std::max<qint64>(read, 0));
  unreadable_ = read < 0;
  atEnd_ = read <= 0;
  return !atEnd_;
}

// Takes the next physical line, refusing to hold more of one record than it may take as a row.
bool CsvRecordReader::NextLine() {
  qsizetype searched = nextLine_;
  for (;;) {
    qsizetype lineFeed = buffer_.indexOf('\n', searched);
    if (lineFeed >= 0) {
      lineStart_ = nextLine_;
      lineEnd_ =
          lineFeed > lineStart_ && buffer_.at(lineFeed - 1) == '\r' ? lineFeed - 1 : lineFeed;
      nextLine_ = lineFeed + 1;
      break;
    }
    if (buffer_.size() - recordStart_ > maxMemory_) {
      tooLarge_ = true;
      return false;
    }
    searched = buffer_.size() - recordStart_;
    if (!Refill()) {
      if (nextLine_ >= buffer_.size()) return false;
      lineStart_ = nextLine_;  // the last line, without a line end
      lineEnd_ = nextLine_ = buffer_.size();
      break;
    }
    searched += recordStart_;
  }
  position_ = lineStart_;
  return true;
}

// The first of the two characters at or after the scan position in the line; the line's end,
// which counts as a carriage return, when there is none.
qsizetype CsvRecordReader::FindInLine(char first, char second) const {
  const char* line = buffer_.constData();
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
    text.append(buffer_.constData() + recordStart_ + field.offset, field.size);
  }
  return assembled_[field.assembled];
}

// Adds the buffer's bytes from `from` to `to` to the field: as a piece of the buffer while they
// follow on from what it has, else put together.
void CsvRecordReader::Append(Field& field, qsizetype from, qsizetype to) {
  if (from == to) return;
  qsizetype offset = from - recordStart_;
  if (field.assembled < 0 && field.size == 0) {
    field.offset = offset;
    field.size = to - from;
  } else if (field.assembled < 0 && field.offset + field.size == offset) {
    field.size += to - from;
  } else {
    Assembled(field).append(buffer_.constData() + from, to - from);
  }
}

void CsvRecordReader::AppendText(Field& field, QByteArrayView text) {
  Assembled(field).append(text);
}

CsvRecordReader::Quoted CsvRecordReader::TakeQuoted(Field& field) {
  for (;;) {
    qsizetype end = FindInLine('"', '\r');
    Append(field, position_, end);
    if (end == lineEnd_ || buffer_.at(end) == '\r') {
      if (!NextLine()) return tooLarge_ ? Quoted::kTooLarge : Quoted::kFileEnded;
      AppendText(field, "\r\n");
    } else if (end + 1 < lineEnd_ && buffer_.at(end + 1) == '"') {
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
  recordStart_ = nextLine_;
  if (tooLarge_ || unreadable_ || !NextLine()) {
    return tooLarge_ ? Next::kTooLarge : unreadable_ ? Next::kUnreadable : Next::kEnd;
  }
  for (;;) {
    Field field;
    if (position_ < lineEnd_ && buffer_.at(position_) == '"') {
      ++position_;
      Quoted quoted = TakeQuoted(field);
      if (quoted == Quoted::kTooLarge) return Next::kTooLarge;
      if (quoted == Quoted::kFileEnded) return AddField(field) ? Next::kRecord : TooLarge();
    }
    qsizetype end = FindInLine(',', '\r');
    Append(field, position_, end);
    if (!AddField(field)) return TooLarge();
    if (end == lineEnd_ || buffer_.at(end) == '\r') return Next::kRecord;
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
  return QByteArrayView(buffer_.constData() + recordStart_ + f.offset, f.size);
}

QString CsvRecordReader::FieldText(int field) const {
  QByteArrayView bytes = FieldBytes(field);
  return DecodeText(bytes, bytes_->Encoding());
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
