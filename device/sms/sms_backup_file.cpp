#include "device/sms/sms_backup_file.h"

#include <QtEndian>

#include <array>
#include <cstdio>

#include "device/frame/device_text.h"
#include "device/sms/sms_backup_job.h"

namespace {

constexpr qsizetype kDigestSize = 16;

bool WriteBytes(QIODevice& file, const QByteArray& bytes) {
  return file.write(bytes) == bytes.size();
}

bool WriteUInt32(QIODevice& file, quint32 value) {
  std::array<char, 4> bytes;
  qToLittleEndian(value, bytes.data());
  return file.write(bytes.data(), bytes.size()) == qint64(bytes.size());
}

bool WriteFileTime(QIODevice& file, FILETIME time) {
  return WriteUInt32(file, time.dwLowDateTime) && WriteUInt32(file, time.dwHighDateTime);
}

bool WriteLine(QIODevice& file, const QString& text) {
  return WriteBytes(file, WideToAnsi(text) + '\n');
}

// A name or address as a line keeps it: a line break would end the line early, so it becomes a
// blank.
QString LineField(QString text) {
  return text.replace(QLatin1Char('\r'), QLatin1Char(' '))
      .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// A folder name as the folder path keeps it: a "\" would split it into two levels on restore, so
// it becomes a "/".
QString PathElement(const QString& name) {
  return LineField(name).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The entries of the recipients, as many whole ones as a read line keeps: a line cut by the
// reader would end in a broken entry and stop the restore at this message.
QString RecipientsLine(const std::vector<CSmsRecipient>& recipients) {
  QStringList entries;
  qsizetype bytes = -1;  // the first entry has no ";" before it
  for (const CSmsRecipient& recipient : recipients) {
    const QString entry =
        QStringLiteral("\"%1\" <%2> %3")
            .arg(LineField(recipient.m_strDisplayName), LineField(recipient.m_strAddress))
            .arg(static_cast<int>(recipient.m_ulType));
    bytes += 1 + WideToAnsi(entry).size();
    if (bytes > kSmsLineLimit) break;
    entries << entry;
  }
  return entries.join(QLatin1Char(';'));
}

// The sender as a read line keeps it whole, so a restore can parse it: the address first, the
// name in the room left.
QString SenderLine(const CSmsMessage& message) {
  constexpr qsizetype kRoom = kSmsLineLimit - 5;  // the quotes, the blank and the brackets
  const QString address = LeftAnsiBytes(LineField(message.SenderAddress()), kRoom);
  const QString name =
      LeftAnsiBytes(LineField(message.SenderName()), kRoom - WideToAnsi(address).size());
  return QStringLiteral("\"%1\" <%2>").arg(name, address);
}

int WriteHeader(QIODevice& file, const std::string& digest, quint32 count) {
  std::array<std::uint8_t, kDigestSize> bytes{};
  if (!digest.empty()) HexToBytes(digest, bytes.data());
  return file.seek(0) &&
         file.write(reinterpret_cast<const char*>(bytes.data()), kDigestSize) == kDigestSize &&
         WriteUInt32(file, count);
}

// The message text of a record: the writer put one "\n" after it.
QString MessageText(const QByteArray& text) {
  return AnsiToWide(text.endsWith('\n') ? text.chopped(1) : text);
}

qint64 BytesLeft(const QIODevice& file) { return file.size() - file.pos(); }

// A 32-bit integer; the bytes missing at the end of the file read as zero.
quint32 ReadUInt32(QIODevice& file) {
  std::array<char, 4> bytes{};
  file.read(bytes.data(), bytes.size());
  return qFromLittleEndian<quint32>(bytes.data());
}

FILETIME ReadFileTime(QIODevice& file) {
  FILETIME time;
  time.dwLowDateTime = ReadUInt32(file);
  time.dwHighDateTime = ReadUInt32(file);
  return time;
}

}  // namespace

std::string SmsFileDigest(qint64 fileLength) {
  char text[64];
  std::snprintf(text, sizeof(text), kSmsFileSalt, static_cast<qint32>(fileLength));
  return Md5HexDigest(text);
}

int WriteSmsBackupFile(CSmsBackupJob& job, QFileDevice& file) {
  if (!WriteHeader(file, {}, static_cast<quint32>(job.m_nTotal))) return 0;
  if (!BackupSelectedFolders(job, file)) return 0;
  // The count is that of the records written: the store may have changed since it was counted.
  const qint64 length = file.size();
  if (!WriteHeader(file, SmsFileDigest(length), static_cast<quint32>(job.m_nCount))) return 0;
  return file.flush() ? 1 : 0;
}

QString SmsFolderPath(const CMapiFolder& folder) {
  QString path = PathElement(folder.Name());
  for (const CMapiFolder* parent = folder.Parent(); parent != nullptr; parent = parent->Parent()) {
    path = PathElement(parent->Name()) + QLatin1Char('\\') + path;
  }
  return path;
}

int WriteSmsRecord(QFileDevice& file, CSmsMessage& message) {
  // A message whose recipients cannot be read would lose them in the backup unnoticed.
  const std::vector<CSmsRecipient>* recipients = message.Recipients();
  if (recipients == nullptr) return 0;
  const QByteArray text = WideToAnsi(message.Text()) + '\n';
  const bool written =
      WriteLine(file, QString::fromLatin1(CSmsMessage::kMessageClass)) &&
      WriteLine(file, SmsFolderPath(message.Folder())) &&
      WriteFileTime(file, message.LastModificationTime()) &&
      WriteFileTime(file, message.DeliveryTime()) && WriteUInt32(file, message.Flags()) &&
      WriteUInt32(file, message.Size()) && WriteLine(file, RecipientsLine(*recipients)) &&
      WriteLine(file, SenderLine(message)) &&
      WriteUInt32(file, static_cast<quint32>(text.size())) && WriteBytes(file, text);
  return written && file.flush() ? 1 : 0;
}

bool ReadSmsFileHeader(QIODevice& file, quint32& count) {
  std::array<std::uint8_t, kDigestSize> stored{};
  file.read(reinterpret_cast<char*>(stored.data()), kDigestSize);
  if (BytesToHex(stored.size(), stored.data()) != SmsFileDigest(file.size())) return false;
  count = ReadUInt32(file);
  return true;
}

QByteArray ReadBackupLine(QIODevice& file) {
  QByteArray line;
  char byte = 0;
  while (file.getChar(&byte) && byte != '\n') {
    if (byte != '\r' && line.size() < kSmsLineLimit) line.append(byte);
  }
  return line;
}

bool ReadSmsRecordFields(QIODevice& file, SmsBackupRecord& record, QString& error) {
  record.messageClass = ReadBackupLine(file);
  record.folderPath = ReadBackupLine(file);
  if (record.folderPath.isEmpty()) {
    error = QStringLiteral("Read folder line error!");
    return false;
  }
  record.lastModificationTime = ReadFileTime(file);
  record.deliveryTime = ReadFileTime(file);
  record.flags = ReadUInt32(file);
  record.size = ReadUInt32(file);
  record.recipients = ReadBackupLine(file);
  record.sender = ReadBackupLine(file);
  // Every field before the text is read by then, so a record cut short anywhere is caught here,
  // before its text length is believed.
  const bool lengthComplete = BytesLeft(file) >= 4;
  const quint32 length = ReadUInt32(file);
  if (!lengthComplete || length > BytesLeft(file)) {
    error = QStringLiteral("Read sms record error!");
    return false;
  }
  record.text = file.read(length);
  return true;
}

std::optional<std::vector<CSmsRecipient>> ParseRecipientsLine(const QString& line) {
  std::vector<CSmsRecipient> recipients;
  if (line.isEmpty()) return recipients;
  const QStringList pieces = line.split(QLatin1Char(';'));
  QString entry;
  bool joining = false;
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    entry = joining ? entry + QLatin1Char(';') + pieces[i] : pieces[i];
    if (std::optional<CSmsRecipient> recipient = ParseSmsRecipient(entry)) {
      recipients.push_back(*recipient);
      joining = false;
      continue;
    }
    joining = entry.startsWith(QLatin1Char('"')) && i + 1 < pieces.size();
    if (!joining) return std::nullopt;
  }
  return recipients;
}

std::optional<FolderPathParts> ParseFolderPath(const QString& path) {
  QStringList elements = path.split(QLatin1Char('\\'));
  const QString first = elements.takeFirst();
  for (const SmsFolderEntry& entry : kSmsFolders) {
    if (first.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
      return FolderPathParts{entry.folder, elements};
    }
  }
  return std::nullopt;
}

int ResolveFolderPath(CMapiSession& session, const QString& path, CMapiFolder*& folder) {
  folder = nullptr;
  std::optional<FolderPathParts> parsed = ParseFolderPath(path);
  if (!parsed) return 0;
  CMapiFolder* current = session.SpecialFolder(parsed->folder);
  for (qsizetype i = 0; current != nullptr && i < parsed->subfolders.size(); ++i) {
    current = current->OpenOrCreateSubfolder(parsed->subfolders[i]);
  }
  folder = current;
  return folder != nullptr ? 1 : 0;
}

bool ReadSmsRecord(CMapiSession& session, QIODevice& file, QString& error) {
  SmsBackupRecord record;
  if (!ReadSmsRecordFields(file, record, error)) return false;
  const QString path = AnsiToWide(record.folderPath);
  CMapiFolder* folder = nullptr;
  if (!ResolveFolderPath(session, path, folder)) {
    error = QStringLiteral("Create folder '%1' error!").arg(path);
    return false;
  }
  if (folder->IsDuplicateMessage(record.deliveryTime)) return true;
  if (record.messageClass != CSmsMessage::kMessageClass) {
    error = QStringLiteral("Unknow message class name!");
    return false;
  }
  std::unique_ptr<CSmsMessage> message = folder->CreateMessage();
  if (!message) {
    error = QStringLiteral("Create message error!");
    return false;
  }
  message->SetLastModificationTime(record.lastModificationTime);
  message->SetDeliveryTime(record.deliveryTime);
  message->SetFlags(record.flags);
  message->SetSize(record.size);
  std::optional<std::vector<CSmsRecipient>> recipients =
      ParseRecipientsLine(AnsiToWide(record.recipients));
  if (!recipients) {
    error = QStringLiteral("Parse recipient error!");
    return false;
  }
  for (const CSmsRecipient& recipient : *recipients) message->AddRecipient(recipient);
  if (!message->ParseSmsSender(AnsiToWide(record.sender))) {
    error = QStringLiteral("Parse sender info error!");
    return false;
  }
  message->SetText(MessageText(record.text));
  // A message without delivery time (a draft) is known by its text, sender and recipients.
  if (FileTimeValue(record.deliveryTime) == 0 && folder->HoldsSameUntimedMessage(*message)) {
    return true;
  }
  // Nothing reaches the store before this point, so a broken record leaves no message behind.
  if (!message->Save()) {
    error = QStringLiteral("Save sms error!");
    return false;
  }
  return true;
}
