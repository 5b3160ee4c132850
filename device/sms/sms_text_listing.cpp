#include "device/sms/sms_text_listing.h"

#include "device/frame/device_text.h"
#include "platform/device/stores/file_time.h"

namespace {

QString SenderText(const CSmsMessage& message) {
  if (message.SenderAddress().isEmpty() || message.SenderName().isEmpty()) {
    return QStringLiteral("Sender:\r\n");
  }
  return QStringLiteral("Sender: %1\r\n").arg(message.FormatSmsAddress());
}

QString RecipientsText(const std::vector<CSmsRecipient>& recipients) {
  QString text = QStringLiteral("Recipients: ");
  for (const CSmsRecipient& recipient : recipients) {
    text += QStringLiteral("\"%1\" <%2>;").arg(recipient.m_strDisplayName, recipient.m_strAddress);
  }
  return text + QStringLiteral("\r\n");
}

}  // namespace

bool WriteSmsText(QIODevice& file, CSmsMessage& message) {
  // A message whose recipients cannot be read would lose them in the listing unnoticed.
  const std::vector<CSmsRecipient>* recipients = message.Recipients();
  if (recipients == nullptr) return false;
  const QString block = SenderText(message) + RecipientsText(*recipients) +
                        QStringLiteral("Time: ") + FormatSmsTime(message.DeliveryTime()) +
                        QStringLiteral("\r\nContent:\r\n") + message.Text() +
                        QStringLiteral("\r\n\r\n");
  const QByteArray bytes = WideToAnsi(block);
  return file.write(bytes) == bytes.size();
}

QString FormatSmsTime(FILETIME time) {
  // No time (a draft's) is no moment either: in a zone east of Greenwich it would be listed as
  // 1 January 1601, and west of it, before the first moment, not at all.
  if (FileTimeValue(time) == 0) return QString();
  FILETIME local;
  SYSTEMTIME fields;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &fields)) {
    return QString();
  }
  return QString::asprintf("%d-%d-%d %d:%d:%d", fields.wYear, fields.wMonth, fields.wDay,
                           fields.wHour, fields.wMinute, fields.wSecond);
}
