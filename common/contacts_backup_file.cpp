#include "common/contacts_backup_file.h"

#include <cstdlib>

#include "common/ansi_text.h"

namespace {

// The smallest number of bytes each part can take, to check counts read from a file against the
// bytes that are left before anything is read.
constexpr qint64 kSmallestRecord = 1;    // a type byte with no body
constexpr qint64 kSmallestRingTone = 8;  // two empty counts

void AppendU16(QByteArray* bytes, std::uint16_t value) {
  bytes->append(static_cast<char>(value & 0xFF));
  bytes->append(static_cast<char>(value >> 8));
}

// Little-endian, the four bytes appended at once: a record holds some sixty counts.
void AppendI32(QByteArray* bytes, std::int32_t value) {
  auto raw = static_cast<std::uint32_t>(value);
  const char little[4] = {static_cast<char>(raw & 0xFF), static_cast<char>((raw >> 8) & 0xFF),
                          static_cast<char>((raw >> 16) & 0xFF), static_cast<char>(raw >> 24)};
  bytes->append(little, sizeof little);
}

void AppendString(QByteArray* bytes, const QByteArray& text) {
  AppendI32(bytes, static_cast<std::int32_t>(text.size()));
  bytes->append(text);
}

void AppendDate(QByteArray* bytes, const BackupDate& date) {
  AppendI32(bytes, date.year);
  if (date.IsNone()) return;
  AppendU16(bytes, date.month);
  AppendU16(bytes, date.day);
}

// The C library's atoi on the text from `offset`; an offset at or past the end reads 0.
int AtoiAt(const QByteArray& text, qsizetype offset) {
  if (offset >= text.size()) return 0;
  return std::atoi(QByteArray(text.constData() + offset, text.size() - offset).constData());
}

}  // namespace

QByteArray MissingRingToneData() { return QByteArray(4, '\0'); }

bool IsMissingRingTone(const QByteArray& data) {
  return data.isEmpty() || data == MissingRingToneData();
}

QByteArray PhoneRecordBytes(const PhoneContactBody& body, std::uint8_t typeByte) {
  QByteArray record;
  record.append(static_cast<char>(typeByte));
  for (const QByteArray& item : body.items) AppendString(&record, item);
  AppendDate(&record, body.birthday);
  AppendDate(&record, body.anniversary);
  AppendString(&record, body.picture);
  return record;
}

QString BackupDateText(const BackupDate& date) {
  return QStringLiteral("%1-%2-%3").arg(date.year).arg(date.month).arg(date.day);
}

DateTextNumbers ReadDateText(const QByteArray& text) {
  DateTextNumbers numbers{AtoiAt(text, 0), AtoiAt(text, 5), std::abs(AtoiAt(text, 7))};
  if (numbers.day == 0) numbers.day = AtoiAt(text, 8);
  return numbers;
}

BackupDate BackupDateFromText(const QByteArray& text, bool absoluteMonth) {
  DateTextNumbers numbers = ReadDateText(text);
  if (numbers.year == 0) return BackupDate();
  int month = absoluteMonth ? std::abs(numbers.month) : numbers.month;
  return BackupDate{numbers.year, static_cast<std::uint16_t>(month),
                    static_cast<std::uint16_t>(numbers.day)};
}

QString BackupText(const QByteArray& bytes, const BackupDialect& dialect) {
  QString text = AnsiToWide(bytes);
  return dialect.trimStrings ? text.trimmed() : text;
}

// Most strings are ASCII: they are trimmed as bytes, which gives the same bytes as the way
// through wide text without its cost.
QByteArray BackupAnsiText(const QByteArray& bytes, const BackupDialect& dialect) {
  if (IsAsciiText(bytes)) return dialect.trimStrings ? bytes.trimmed() : bytes;
  return WideToAnsi(BackupText(bytes, dialect));
}

ContactsBackupReader::OpenResult ContactsBackupReader::Open(const QString& path) {
  path_ = path;
  if (!file_.Open(path)) return OpenResult::kCannotOpen;
  QByteArray stored;
  if (!file_.ReadBytes(kLengthDigestSize, &stored) ||
      stored != LengthDigest(file_.Size(), kContactsDigestSalt)) {
    return OpenResult::kDigestMismatch;
  }
  return OpenResult::kOk;
}

bool ContactsBackupReader::Rewind() { return file_.Open(path_) && file_.Skip(kLengthDigestSize); }

bool ContactsBackupReader::ReadString(QByteArray* text) {
  std::int32_t size;
  if (!file_.ReadI32(&size)) return false;
  if (size == 0) {
    if (text != nullptr) text->clear();
    return true;
  }
  return file_.ReadBytes(size, text);  // a negative or too large count fails here
}

bool ContactsBackupReader::ReadDate(BackupDate* date) {
  BackupDate read;
  if (!file_.ReadI32(&read.year)) return false;
  if (read.year != 0 && !(file_.ReadU16(&read.month) && file_.ReadU16(&read.day))) return false;
  if (date != nullptr) *date = read;
  return true;
}

bool ContactsBackupReader::ReadPhoneBody(PhoneContactBody* body) {
  for (int item = 0; item < kBackupStringItems; ++item) {
    if (!ReadString(body ? &body->items[item] : nullptr)) return false;
  }
  return ReadDate(body ? &body->birthday : nullptr) &&
         ReadDate(body ? &body->anniversary : nullptr) &&
         ReadString(body ? &body->picture : nullptr);
}

bool ContactsBackupReader::ReadSimBody(SimContactBody* body) {
  return ReadString(body ? &body->name : nullptr) && ReadString(body ? &body->number : nullptr);
}

bool ContactsBackupReader::ReadRecordCount(std::uint32_t* count) {
  if (!file_.ReadU32(count)) return false;
  return *count <= static_cast<std::uint64_t>(file_.BytesLeft() / kSmallestRecord);
}

bool ContactsBackupReader::ReadRecord(BackupRecord* record) {
  std::uint8_t type;
  if (!file_.ReadU8(&type)) return false;
  BackupRecord::Body body = type == kRecordTypePhone ? BackupRecord::Body::kPhone
                            : type == kRecordTypeSim ? BackupRecord::Body::kSim
                                                     : dialect_.unknownTypeBody;
  if (record != nullptr) {
    record->type = type;
    record->body = body;
  }
  switch (body) {
    case BackupRecord::Body::kPhone:
      return ReadPhoneBody(record ? &record->phone : nullptr);
    case BackupRecord::Body::kSim:
      return ReadSimBody(record ? &record->sim : nullptr);
    case BackupRecord::Body::kNone:
      return true;
  }
  return false;
}

bool ContactsBackupReader::ReadRingToneCount(std::int32_t* count) {
  if (!file_.ReadI32(count)) return false;
  return *count >= 0 && *count <= file_.BytesLeft() / kSmallestRingTone;
}

bool ContactsBackupReader::ReadRingTone(RingToneEntry* entry) {
  return ReadString(entry ? &entry->name : nullptr) && ReadString(entry ? &entry->data : nullptr);
}

bool ContactsBackupReader::CheckStructure() {
  std::uint32_t records;
  if (!ReadRecordCount(&records)) return false;
  for (std::uint32_t i = 0; i < records; ++i) {
    if (!ReadRecord(nullptr)) return false;
  }
  return SkipRingTones();
}

bool ContactsBackupReader::SkipRingTones() {
  std::int32_t ringTones;
  if (!ReadRingToneCount(&ringTones)) return false;
  for (std::int32_t i = 0; i < ringTones; ++i) {
    if (!ReadRingTone(nullptr)) return false;
  }
  return true;
}

bool ContactsBackupWriter::Create(const QString& path, std::uint32_t recordCount) {
  file_.setFileName(path);
  failed_ = !file_.open(QIODevice::WriteOnly);
  QByteArray header(kLengthDigestSize, '\0');
  AppendI32(&header, static_cast<std::int32_t>(recordCount));
  return Write(header);
}

bool ContactsBackupWriter::Write(const QByteArray& bytes) {
  if (!failed_ && file_.write(bytes) != bytes.size()) failed_ = true;
  return !failed_;
}

bool ContactsBackupWriter::WritePhoneRecord(const PhoneContactBody& body, std::uint8_t typeByte) {
  return Write(PhoneRecordBytes(body, typeByte));
}

bool ContactsBackupWriter::WriteSimRecord(const SimContactBody& body) {
  QByteArray record;
  record.append(static_cast<char>(kRecordTypeSim));
  AppendString(&record, body.name);
  AppendString(&record, body.number);
  return Write(record);
}

bool ContactsBackupWriter::WriteRingToneCount(std::int32_t count) {
  QByteArray bytes;
  AppendI32(&bytes, count);
  return Write(bytes);
}

bool ContactsBackupWriter::WriteRingTone(const RingToneEntry& entry) {
  if (entry.data.size() > kMaxBackupBytes) failed_ = true;
  if (failed_) return false;
  QByteArray bytes;
  AppendString(&bytes, entry.name);
  AppendString(&bytes, entry.data);
  return Write(bytes);
}

bool ContactsBackupWriter::Finish(std::optional<std::uint32_t> finalRecordCount) {
  if (!failed_ && finalRecordCount) {
    QByteArray count;
    AppendI32(&count, static_cast<std::int32_t>(*finalRecordCount));
    failed_ = !file_.seek(kLengthDigestSize) || file_.write(count) != count.size();
  }
  if (!failed_) {
    const QByteArray bytes = LengthDigest(file_.size(), kContactsDigestSalt);
    failed_ = !file_.seek(0) || file_.write(bytes) != bytes.size();
  }
  if (failed_) {
    Abandon();
    return false;
  }
  return file_.commit();
}

void ContactsBackupWriter::Abandon() {
  failed_ = true;
  file_.cancelWriting();
  file_.commit();
}
