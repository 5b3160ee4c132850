#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

#include "platform/device/stores/phone_setup.h"
#include "tests/support/phone_test.h"

// Helpers of the SMS program's tests: a phone with its store "SMS", messages to put in it, and
// SMS backup files built byte by byte.

// A message as the store keeps one: every property present.
PhoneMessage SampleSms(const QString& text, FILETIME delivered,
                       const QString& sender = "\"Ann\" <+8613800000000>",
                       std::vector<PhoneRecipient> recipients = {});

// The fields of one record of an SMS backup file, laid out by RecordBytes.
struct SmsRecordFields {
  QByteArray messageClass = "IPM.SMStext";
  QByteArray folderPath = "Inbox";
  quint64 lastModificationTime = 0;
  quint64 deliveryTime = 0;
  quint32 flags = 0;
  quint32 size = 0;
  QByteArray recipients;
  QByteArray sender = "\"Ann\" <123>";
  QByteArray text = "hello\n";
  std::optional<quint32> textLength;  // the bytes of `text` unless given
};
QByteArray RecordBytes(const SmsRecordFields& record);
QByteArray UInt32Bytes(quint32 value);

// A whole file of these records: digest of its length, then the count (the number of records
// unless given).
QByteArray SmsFileBytes(const QList<QByteArray>& records, std::optional<quint32> count = {});

// Fixture: a fresh phone (its store "SMS" with the five special folders) in the test's own
// phone folder.
class SmsPhoneTest : public PhoneTest {
 protected:
  qint64 Store() { return phone_.MessageStoreId("SMS"); }
  qint64 Special(ULONG tag) { return phone_.SpecialFolderId(Store(), tag); }
  qint64 Inbox() { return Special(PR_CE_IPM_INBOX_ENTRYID); }
  QString Path(const QString& name) const { return folder_.FilePath(name); }
  std::vector<QString> Texts(qint64 folderId);

  PhoneSetup phone_;
};
