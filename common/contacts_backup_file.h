#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

#include "common/binary_file_reader.h"
#include "common/contact_schema.h"
#include "common/md5.h"
#include "common/whole_file_writer.h"

// The contacts backup file that the phone program writes on backup and reads on restore, and the
// desktop program reads on import and writes on export. Little-endian binary:
//
//   16-byte MD5 digest of the text "<file length>KRVTQ_MaloBexin"
//   32-bit record count
//   records: a type byte, then a phone contact body (type 1) or a SIM contact body (type 2)
//   32-bit ring-tone count, then that many entries of name and file bytes
//
// Strings are a signed 32-bit byte count and that many bytes of ANSI text; a blob is the same
// with bytes; a date is a 32-bit year followed, when it is not 0, by a 16-bit month and day.

inline constexpr char kContactsDigestSalt[] = "KRVTQ_MaloBexin";
// The most bytes a string or blob can hold: its count is a signed 32-bit number.
inline constexpr qint64 kMaxBackupBytes = 0x7FFFFFFF;
inline constexpr qint64 kContactsHeaderSize = 20;

inline constexpr std::uint8_t kRecordTypePhone = 1;
inline constexpr std::uint8_t kRecordTypeSim = 2;

// Items of a phone contact body, numbered by kContactSchema: 55 strings, two dates and the picture.
inline constexpr int kBackupStringItems = 55;
inline constexpr int kBackupItemRingTone = BackupItemOf(ContactFieldId::kRingTone);
inline constexpr int kBackupItemBirthday = BackupItemOf(ContactFieldId::kBirthday);
inline constexpr int kBackupItemAnniversary = BackupItemOf(ContactFieldId::kAnniversary);
inline constexpr int kBackupItemPicture = BackupItemOf(ContactFieldId::kPicture);
static_assert(kBackupItemBirthday == kBackupStringItems &&
                  kBackupItemAnniversary == kBackupStringItems + 1 &&
                  kBackupItemPicture == kBackupStringItems + 2 &&
                  kBackupItemCount == kBackupStringItems + 3,
              "a phone contact body holds its strings, then the two dates, then the picture");

struct BackupDate {
  std::int32_t year = 0;  // 0: no date
  std::uint16_t month = 0;
  std::uint16_t day = 0;

  bool IsNone() const { return year == 0; }
  bool operator==(const BackupDate&) const = default;
};

struct PhoneContactBody {
  std::array<QByteArray, kBackupStringItems> items;  // ANSI text by item number
  BackupDate birthday;
  BackupDate anniversary;
  QByteArray picture;  // the picture file's bytes; empty: none
};

struct SimContactBody {
  QByteArray name;
  QByteArray number;
};

struct BackupRecord {
  enum class Body { kPhone, kSim, kNone };
  std::uint8_t type = kRecordTypePhone;  // the type byte as stored
  Body body = Body::kPhone;
  PhoneContactBody phone;
  SimContactBody sim;
};

struct RingToneEntry {
  QByteArray name;  // the ring tone's path on the phone, ANSI text
  QByteArray data;
};

// The data both programs write for a ring-tone file they cannot read: four zero bytes.
QByteArray MissingRingToneData();
// True for data that holds no tone: none at all, or the bytes of MissingRingToneData().
bool IsMissingRingTone(const QByteArray& data);

// Where the two programs read the same layout differently.
struct BackupDialect {
  // A type byte other than 1 and 2: the desktop reads a SIM body, the phone reads no body.
  BackupRecord::Body unknownTypeBody;
  // The desktop trims white space from both ends of every string it reads; the phone does not.
  bool trimStrings;
};
inline constexpr BackupDialect kDesktopDialect{BackupRecord::Body::kSim, true};
inline constexpr BackupDialect kPhoneDialect{BackupRecord::Body::kNone, false};

// The digest stored in a file of `length` bytes: MD5 of the length's decimal text (as a signed
// 32-bit value) followed by the salt.
std::string ContactsDigestText(qint64 length);
Md5Digest ContactsFileDigest(qint64 length);

// A phone contact record as the file holds it: the type byte and the body.
QByteArray PhoneRecordBytes(const PhoneContactBody& body, std::uint8_t typeByte = kRecordTypePhone);

// The desktop's date text "%d-%d-%d" of year, month and day.
QString BackupDateText(const BackupDate& date);
// The numbers of a stored date text "year-month-day", read the way the desktop always has, at
// fixed offsets: the year from the start, the month from offset 5 (as signed), the day from
// offset 7 without its sign, or from offset 8 when that reads 0. Offsets past the end read 0.
struct DateTextNumbers {
  int year;
  int month;
  int day;
};
DateTextNumbers ReadDateText(const QByteArray& text);

// A stored date text as a file date: a year of 0 gives no date. `absoluteMonth` takes the
// month's absolute value, as the anniversary always did.
BackupDate BackupDateFromText(const QByteArray& text, bool absoluteMonth);

// Converts a string read from the file to wide text by the dialect.
QString BackupText(const QByteArray& bytes, const BackupDialect& dialect);
// The same string as ANSI bytes: the ANSI bytes of BackupText().
QByteArray BackupAnsiText(const QByteArray& bytes, const BackupDialect& dialect);

class ContactsBackupReader {
 public:
  enum class OpenResult { kOk, kCannotOpen, kDigestMismatch };

  explicit ContactsBackupReader(BackupDialect dialect) : dialect_(dialect) {}

  // Opens the file and checks its digest against its length.
  OpenResult Open(const QString& path);

  // Each read returns false when the file ends inside what it reads (or a count in the file
  // is larger than the bytes left); the reader then stays failed and reads nothing more.
  bool ReadRecordCount(std::uint32_t* count);
  bool ReadRecord(BackupRecord* record);  // null: skip the record
  bool ReadRingToneCount(std::int32_t* count);
  bool ReadRingTone(RingToneEntry* entry);  // null: skip the entry

  // Walks the rest of the file (records and ring-tone table) without keeping anything, to tell
  // whether it is whole before anything is done with it. Call right after Open().
  bool CheckStructure();

  qint64 FileSize() const { return file_.Size(); }
  qint64 Position() const { return file_.Position(); }
  const BackupDialect& Dialect() const { return dialect_; }
  // Back to the first record, after CheckStructure().
  bool Rewind();

 private:
  bool ReadString(QByteArray* text);
  bool ReadDate(BackupDate* date);
  bool ReadPhoneBody(PhoneContactBody* body);
  bool ReadSimBody(SimContactBody* body);
  bool SkipRingTones();

  BackupDialect dialect_;
  QString path_;
  BinaryFileReader file_;
};

class ContactsBackupWriter {
 public:
  // Creates the file (through a temporary file that replaces the target on Finish) and writes
  // the 20-byte header: 16 zero bytes for the digest and the record count.
  bool Create(const QString& path, std::uint32_t recordCount);

  bool WritePhoneRecord(const PhoneContactBody& body, std::uint8_t typeByte = kRecordTypePhone);
  bool WriteSimRecord(const SimContactBody& body);
  bool WriteRingToneCount(std::int32_t count);
  // False, and the writer failed, for data longer than a count can say (kMaxBackupBytes).
  bool WriteRingTone(const RingToneEntry& entry);

  // Writes the record count again when one is given (the phone knows it only at the end), then
  // the digest of the final length, and moves the file into place. False when any write failed.
  bool Finish(std::optional<std::uint32_t> finalRecordCount = std::nullopt);
  // Drops the file: nothing is left behind, and Finish() fails.
  void Abandon();

 private:
  bool Write(const QByteArray& bytes);

  WholeFileWriter file_;
  bool failed_ = false;
};
