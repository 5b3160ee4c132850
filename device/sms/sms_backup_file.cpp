#include "device/sms/sms_backup_file.h"

#include <QtEndian>

#include <array>

#include "common/length_digest.h"
#include "device/frame/device_text.h"
#include "device/frame/phone_database_message.h"
#include "device/sms/sms_backup_job.h"

namespace {

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

// A line that a restore reads whole; false, nothing written, for a longer one.
bool WriteLine(QIODevice& file, const QString& text, qsizetype limit = kSmsLineLimit) {
  const QByteArray bytes = WideToAnsi(text);
  return bytes.size() <= limit && WriteBytes(file, bytes + '\n');
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

// "\"name\" <address>" and the ASCII text after it, within the bytes of an entry that a restore
// parses: the address first, the name in the room left.
QString AddressEntry(const QString& name, const QString& address, const QString& suffix) {
  // The quotes, the blank and the brackets take 5 bytes.
  const qsizetype room = kSmsEntryLimit - 5 - suffix.size();
  QString keptName = LineField(name);
  QString keptAddress = LineField(address);
  // No character takes more than four bytes, so the texts of real messages need no measuring.
  if ((keptName.size() + keptAddress.size()) * 4 > room) {
    keptAddress = LeftAnsiBytes(keptAddress, room);
    keptName = LeftAnsiBytes(keptName, room - WideToAnsi(keptAddress).size());
  }
  return QStringLiteral("\"%1\" <%2>").arg(keptName, keptAddress) + suffix;
}

QString RecipientsLine(const std::vector<CSmsRecipient>& recipients) {
  QStringList entries;
  for (const CSmsRecipient& recipient : recipients) {
    entries << AddressEntry(recipient.m_strDisplayName, recipient.m_strAddress,
                            QStringLiteral(" %1").arg(static_cast<int>(recipient.m_ulType)));
  }
  return entries.join(QLatin1Char(';'));
}

QString SenderLine(const CSmsMessage& message) {
  return AddressEntry(message.SenderName(), message.SenderAddress(), QString());
}

bool WriteHeader(QIODevice& file, const QByteArray& digest, quint32 count) {
  return file.seek(0) && WriteBytes(file, digest) && WriteUInt32(file, count);
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

// What a record's error says when the store refused it: that another program holds the phone's
// database, in the words every phone program uses for it, or else `otherwise`.
QString StoreError(HRESULT refused, const QString& otherwise) {
  return refused == STG_E_LOCKVIOLATION ? PhoneDatabaseProblemMessage(PhoneDatabaseProblem::kLocked)
                                        : otherwise;
}

bool ReadLineField(QIODevice& file, QByteArray& field, QString& error) {
  std::optional<QByteArray> line = ReadBackupLine(file);
  if (!line) {
    error = QStringLiteral("Read line error: longer than %1 bytes!").arg(kSmsLineLimit);
    return false;
  }
  field = std::move(*line);
  return true;
}

}  // namespace

bool WriteSmsBackupFile(CSmsBackupJob& job, QIODevice& file) {
  const QByteArray noDigest(kLengthDigestSize, '\0');
  if (!WriteHeader(file, noDigest, static_cast<quint32>(job.m_nTotal))) return false;
  if (!BackupSelectedFolders(job, file)) return false;
  // The count is that of the records written: the store may have changed since it was counted.
  const qint64 length = file.size();
  return WriteHeader(file, LengthDigest(length, kSmsFileSalt), static_cast<quint32>(job.m_nCount));
}

QString SmsFolderPath(const CMapiFolder& folder) {
  QStringList elements;
  for (const CMapiFolder* above = &folder; above != nullptr; above = above->Parent()) {
    elements.prepend(PathElement(above->Name()));
  }
  return elements.join(QLatin1Char('\\'));
}

bool WriteSmsRecord(QIODevice& file, CSmsMessage& message) {
  // A message whose recipients cannot be read would lose them in the backup unnoticed.
  const std::vector<CSmsRecipient>* recipients = message.Recipients();
  if (recipients == nullptr) return false;
  const QByteArray text = WideToAnsi(message.Text()) + '\n';
  const bool written =
      WriteLine(file, QString::fromLatin1(CSmsMessage::kMessageClass)) &&
      WriteLine(file, SmsFolderPath(message.Folder()), kSmsFolderPathLimit) &&
      WriteFileTime(file, message.LastModificationTime()) &&
      WriteFileTime(file, message.DeliveryTime()) && WriteUInt32(file, message.Flags()) &&
      WriteUInt32(file, message.Size()) && WriteLine(file, RecipientsLine(*recipients)) &&
      WriteLine(file, SenderLine(message)) &&
      WriteUInt32(file, static_cast<quint32>(text.size())) && WriteBytes(file, text);
  return written;
}

bool ReadSmsFileHeader(QIODevice& file, quint32& count) {
  // The bytes missing at the end of the file read as zero, as they do for the count.
  const QByteArray stored = file.read(kLengthDigestSize).leftJustified(kLengthDigestSize, '\0');
  if (stored != LengthDigest(file.size(), kSmsFileSalt)) return false;
  count = ReadUInt32(file);
  return true;
}

std::optional<QByteArray> ReadBackupLine(QIODevice& file) {
  QByteArray line;
  char byte = 0;
  while (file.getChar(&byte) && byte != '\n') {
    if (byte == '\r') continue;
    if (line.size() == kSmsLineLimit) return std::nullopt;
    line.append(byte);
  }
  return line;
}

bool ReadSmsRecordFields(QIODevice& file, SmsBackupRecord& record, QString& error) {
  if (!ReadLineField(file, record.messageClass, error) ||
      !ReadLineField(file, record.folderPath, error)) {
    return false;
  }
  if (record.folderPath.isEmpty() || record.folderPath.size() > kSmsFolderPathLimit) {
    error = QStringLiteral("Read folder line error!");
    return false;
  }
  record.lastModificationTime = ReadFileTime(file);
  record.deliveryTime = ReadFileTime(file);
  record.flags = ReadUInt32(file);
  record.size = ReadUInt32(file);
  if (!ReadLineField(file, record.recipients, error) ||
      !ReadLineField(file, record.sender, error)) {
    return false;
  }
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
    // No character takes less than a byte, so an entry longer than an entry's bytes cannot parse
    // however much more is joined to it.
    joining = entry.startsWith(QLatin1Char('"')) && entry.size() < kSmsEntryLimit &&
              i + 1 < pieces.size();
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

CMapiFolder* ResolveFolderPath(CMapiSession& session, const QString& path, HRESULT* refused) {
  std::optional<FolderPathParts> parsed = ParseFolderPath(path);
  if (!parsed) return nullptr;
  CMapiFolder* folder = session.SpecialFolder(parsed->folder);
  for (qsizetype i = 0; folder != nullptr && i < parsed->subfolders.size(); ++i) {
    folder = folder->OpenOrCreateSubfolder(parsed->subfolders[i], refused);
  }
  return folder;
}

bool ReadSmsRecord(CMapiSession& session, QIODevice& file, QString& error) {
  SmsBackupRecord record;
  if (!ReadSmsRecordFields(file, record, error)) return false;
  const QString path = AnsiToWide(record.folderPath);
  HRESULT refused = S_OK;
  CMapiFolder* folder = ResolveFolderPath(session, path, &refused);
  if (folder == nullptr) {
    error = StoreError(refused, QStringLiteral("Create folder '%1' error!").arg(path));
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
  if (folder->IsDuplicateMessage(*message)) return true;
  if (record.messageClass != CSmsMessage::kMessageClass) {
    error = QStringLiteral("Unknow message class name!");
    return false;
  }
  // Nothing reaches the store before this point, so a broken record leaves no message behind.
  if (const HRESULT saved = message->Save(); FAILED(saved)) {
    error = StoreError(saved, QStringLiteral("Save sms error!"));
    return false;
  }
  return true;
}
