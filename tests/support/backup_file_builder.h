#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>

#include "common/contacts_backup_file.h"
#include "tests/support/backup_digest.h"

// Builds contacts backup files byte by byte, independently of the program's writer, so tests of
// the reader and the import see exactly the bytes they describe.
class BackupFileBuilder {
 public:
  // A phone contact: string items by item number (0 to 54; others empty), two dates, a picture.
  BackupFileBuilder& AddPhone(const std::map<int, QByteArray>& items, BackupDate birthday = {},
                              BackupDate anniversary = {}, const QByteArray& picture = {},
                              std::uint8_t typeByte = 1);
  BackupFileBuilder& AddSim(const QByteArray& name, const QByteArray& number,
                            std::uint8_t typeByte = 2);
  BackupFileBuilder& AddRingTone(const QByteArray& name, const QByteArray& data);

  // The whole file with its digest (WithContactsDigest). The record count is the number of records
  // added, unless ForceRecordCount() was called after the last one.
  QByteArray Bytes() const;
  BackupFileBuilder& ForceRecordCount(std::uint32_t count);

  static QByteArray String(const QByteArray& text);
  static QByteArray Int32(std::int32_t value);
  static QByteArray Uint16(std::uint16_t value);

 private:
  QByteArray records_;
  QByteArray ringTones_;
  std::uint32_t recordCount_ = 0;
  std::int32_t ringToneCount_ = 0;
};

// Named item numbers of a phone contact record, for readable tests.
namespace backup_item {
inline constexpr int kTitle = 0, kFirstName = 1, kMiddleName = 2, kLastName = 3, kNickName = 4,
                     kSuffix = 5, kCompany = 6, kMobilePhone = 18, kFileAs = 51, kCategories = 52,
                     kNotes = 53, kRingTone = 54;
}
