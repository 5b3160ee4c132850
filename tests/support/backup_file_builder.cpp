#include "tests/support/backup_file_builder.h"

#include "tests/support/backup_digest.h"

QByteArray BackupFileBuilder::Int32(std::int32_t value) {
  QByteArray bytes;
  auto raw = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.append(static_cast<char>((raw >> (8 * i)) & 0xFF));
  return bytes;
}

QByteArray BackupFileBuilder::Uint16(std::uint16_t value) {
  QByteArray bytes;
  bytes.append(static_cast<char>(value & 0xFF));
  bytes.append(static_cast<char>(value >> 8));
  return bytes;
}

QByteArray BackupFileBuilder::String(const QByteArray& text) {
  return Int32(static_cast<std::int32_t>(text.size())) + text;
}

namespace {

QByteArray DateBytes(const BackupDate& date) {
  QByteArray bytes = BackupFileBuilder::Int32(date.year);
  if (date.year != 0) {
    bytes += BackupFileBuilder::Uint16(date.month) + BackupFileBuilder::Uint16(date.day);
  }
  return bytes;
}

}  // namespace

BackupFileBuilder& BackupFileBuilder::AddPhone(const std::map<int, QByteArray>& items,
                                               BackupDate birthday, BackupDate anniversary,
                                               const QByteArray& picture, std::uint8_t typeByte) {
  records_.append(static_cast<char>(typeByte));
  for (int item = 0; item < 55; ++item) {
    auto found = items.find(item);
    records_ += String(found != items.end() ? found->second : QByteArray());
  }
  records_ += DateBytes(birthday) + DateBytes(anniversary) + String(picture);
  ++recordCount_;
  return *this;
}

BackupFileBuilder& BackupFileBuilder::AddSim(const QByteArray& name, const QByteArray& number,
                                             std::uint8_t typeByte) {
  records_.append(static_cast<char>(typeByte));
  records_ += String(name) + String(number);
  ++recordCount_;
  return *this;
}

BackupFileBuilder& BackupFileBuilder::AddRingTone(const QByteArray& name, const QByteArray& data) {
  ringTones_ += String(name) + String(data);
  ++ringToneCount_;
  return *this;
}

BackupFileBuilder& BackupFileBuilder::ForceRecordCount(std::uint32_t count) {
  recordCount_ = count;
  return *this;
}

QByteArray BackupFileBuilder::Bytes() const {
  QByteArray bytes(16, '\0');
  bytes += Int32(static_cast<std::int32_t>(recordCount_)) + records_ + Int32(ringToneCount_) +
           ringTones_;
  return WithContactsDigest(bytes);
}
