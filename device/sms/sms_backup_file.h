#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

#include "device/sms/mapi_session.h"
#include "device/sms/sms_message.h"

class CSmsBackupJob;

// The SMS backup file (".qrd"), written and read by Skeldra alone. Little-endian throughout:
//
//   offset 0   16 bytes  digest of the file's length (length_digest.h), salt "KRVTQ_PemWollaTusk"
//   offset 16  4 bytes   record count N
//   offset 20            N records, back to back
//
// A record: the message class line, the folder path line ("Inbox\Work\Old": a special folder,
// then subfolder names), the last-modification and delivery times (two dwords each, low first),
// flags, size, the recipients line ("\"name\" <address> type" entries joined by ";"), the sender
// line ("\"name\" <address>"), the text length L and L bytes of text, the last of them "\n".
// A line is ANSI text (code page 936) ended by "\n"; integers are 32 bits, unsigned.

inline constexpr char kSmsFileSalt[] = "KRVTQ_PemWollaTusk";
inline constexpr qint64 kSmsFileHeaderSize = 20;

// The most bytes a line may hold. A recipients line holds every recipient of its message (a
// thousand of them take about 40 KB), so this is far above any real message; it bounds what a
// damaged file makes a restore hold. The writer never writes a longer line (the record fails
// instead), and a restore stops at one.
inline constexpr qsizetype kSmsLineLimit = 1 << 20;

// The most bytes of a folder path, what a line always kept: it bounds how deep a restore makes
// folders, one level for every "\". A longer path fails its record when written and when read.
inline constexpr qsizetype kSmsFolderPathLimit = 1023;

// Writes the whole file into an open, empty file: the header, then the records of the job's
// selected folders (CSmsBackupJob), then the record count and digest of what was written.
// False when a folder fails; the file then has no valid digest.
bool WriteSmsBackupFile(CSmsBackupJob& job, QIODevice& file);

// Appends one record; each sender and recipient entry within kSmsEntryLimit bytes (the address
// whole, the name cut when the two are longer). False when the message's recipients cannot be
// read, its folder path or recipients line is longer than a restore reads, or a write fails.
bool WriteSmsRecord(QIODevice& file, CSmsMessage& message);

// The folder path of a folder: the names from its special folder down, joined by "\".
QString SmsFolderPath(const CMapiFolder& folder);

// Checks the digest of an open file, read from its start, against the file's length; true, with
// the record count read after it, when they match.
bool ReadSmsFileHeader(QIODevice& file, quint32& count);

// One line: "\r" is skipped, "\n" or the end of the file ends it. Nothing when it runs past
// kSmsLineLimit bytes.
std::optional<QByteArray> ReadBackupLine(QIODevice& file);

// The fields of one record as the file holds them.
struct SmsBackupRecord {
  QByteArray messageClass;
  QByteArray folderPath;
  FILETIME lastModificationTime{};
  FILETIME deliveryTime{};
  ULONG flags = 0;
  ULONG size = 0;
  QByteArray recipients;
  QByteArray sender;
  QByteArray text;  // L bytes
};

// Reads one record's fields. False, with the error text, when a line is longer than
// kSmsLineLimit ("Read line error: longer than 1048576 bytes!"), the folder line is empty or
// longer than kSmsFolderPathLimit ("Read folder line error!") or the record runs past the end of
// the file ("Read sms record error!"); a text length is never trusted beyond the bytes the file
// has left.
bool ReadSmsRecordFields(QIODevice& file, SmsBackupRecord& record, QString& error);

// The recipients of a recipients line. Entries are split at ";"; an entry that fails to parse
// and starts with a double quote is joined with the next one, since a name or address may hold a
// ";" of its own, up to the length of an entry. Nothing when an entry cannot be parsed.
std::optional<std::vector<CSmsRecipient>> ParseRecipientsLine(const QString& line);

// A folder path taken apart: the special folder its first element names (any letter case) and
// the subfolder names below it. Nothing when the first element names no special folder.
struct FolderPathParts {
  SmsFolder folder;
  QStringList subfolders;
};
std::optional<FolderPathParts> ParseFolderPath(const QString& path);

// The folder a path names: a special folder of the session, or a subfolder below it (opened, or
// made when missing), which the folder above it keeps. Null when there is no such folder and none
// can be made, with the store's failure to make one in `refused` when given.
CMapiFolder* ResolveFolderPath(CMapiSession& session, const QString& path,
                               HRESULT* refused = nullptr);

// Reads one record and recreates its message in the store, its text without the "\n" the writer
// added. A record that repeats a message its folder held before the restore came to it (the same
// delivery time, text, sender and recipients) is read and skipped, each held message standing for
// one record (CMapiFolder::IsDuplicateMessage). False, with the error text, when the record is
// broken or the store refuses (another program holding the phone's database is told as such:
// PhoneDatabaseProblemMessage); the message is then not stored at all.
bool ReadSmsRecord(CMapiSession& session, QIODevice& file, QString& error);
