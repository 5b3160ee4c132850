#include "tests/device/sms/sms_testing.h"

#include <QCryptographicHash>
#include <QtEndian>

PhoneMessage SampleSms(const QString& text, FILETIME delivered, const QString& sender,
                       std::vector<PhoneRecipient> recipients) {
  PhoneMessage message;
  message.subject = text;
  message.flags = 0x21;
  message.size = static_cast<ULONG>(text.size());
  message.lastModificationTime = MakeFileTime(FileTimeValue(delivered) + 10'000'000);
  message.deliveryTime = delivered;
  message.senderEmailAddress = sender;
  message.senderName = "";
  message.recipients = std::move(recipients);
  return message;
}

QByteArray UInt32Bytes(quint32 value) {
  QByteArray bytes(4, '\0');
  qToLittleEndian(value, bytes.data());
  return bytes;
}

QByteArray RecordBytes(const SmsRecordFields& record) {
  return record.messageClass + '\n' + record.folderPath + '\n' +
         UInt32Bytes(quint32(record.lastModificationTime)) +
         UInt32Bytes(quint32(record.lastModificationTime >> 32)) +
         UInt32Bytes(quint32(record.deliveryTime)) +
         UInt32Bytes(quint32(record.deliveryTime >> 32)) + UInt32Bytes(record.flags) +
         UInt32Bytes(record.size) + record.recipients + '\n' + record.sender + '\n' +
         UInt32Bytes(record.textLength.value_or(quint32(record.text.size()))) + record.text;
}

QByteArray SmsFileBytes(const QList<QByteArray>& records, std::optional<quint32> count) {
  QByteArray body = UInt32Bytes(count.value_or(quint32(records.size())));
  for (const QByteArray& record : records) body += record;
  const QByteArray salted = QByteArray::number(16 + body.size()) + "KRVTQ_PemWollaTusk";
  return QCryptographicHash::hash(salted, QCryptographicHash::Md5) + body;
}

std::vector<QString> SmsPhoneTest::Texts(qint64 folderId) {
  std::vector<QString> texts;
  for (const PhoneMessage& message : phone_.Messages(folderId)) {
    texts.push_back(message.subject.value_or("<none>"));
  }
  return texts;
}
