#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What the fuzz targets share.

// The scratch folder of a fuzz target: made on first use and made the working folder, so that
// nothing a target writes lands anywhere else; removed when the fuzzer ends.
class FuzzFolder {
 public:
  FuzzFolder();
  FuzzFolder(const FuzzFolder&) = delete;
  FuzzFolder& operator=(const FuzzFolder&) = delete;

  QString Path(const QString& name) const { return dir_.filePath(name); }
  // Writes the bytes as the file `name` (its folder made when missing); the file's path.
  QString Write(const QString& name, const QByteArray& bytes) const;
  // Empties the subfolder `name` (made when missing) and copies the file at `templatePath` into it
  // as `fileName`, so each input starts from the same state; the copy's path.
  QString FreshCopy(const QString& name, const QString& templatePath,
                    const QString& fileName) const;

 private:
  QTemporaryDir dir_;
};

// The fuzzer's input as bytes.
inline QByteArray FuzzBytes(const std::uint8_t* data, std::size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Stores the input as rows of hostile values in the tables of the SQLite database at `path`,
// whatever tables it has (found at run time, so the targets follow any change of a schema; once
// for each path, which must hold a fresh copy of the same database on every call): a row is a
// byte choosing the table (in name order, internal tables left out) and, for each of its
// columns, a byte choosing the kind of value and then the value:
//   0 null; 1 a small integer (one signed byte: ids that meet, refer to each other or to
//   themselves); 2 a 64-bit integer (8 bytes, big-endian); 3 text of a length byte and that many
//   bytes; 4 a blob and 5 text of a 16-bit length (big-endian); 6 as 3, but a length byte of 255
//   gives a huge text of 64 KiB + (the next byte x 256) (up to 128 KiB, 256 KiB per input), one
//   character repeated, chosen by the byte after; 7 a real (8 bytes).
// Values of any kind land in columns of any type; rows the database refuses are left out. The
// rows are written in one transaction.
void InsertHostileRows(const QString& path, const std::uint8_t* data, std::size_t size);

// A fresh, empty contact database "desktop/Contact.cdt" in the folder (a copy of one made once by
// the program's own bootstrap), so each input starts from the same database; its path.
QString FreshContactDatabase(const FuzzFolder& folder);
// Points the phone programs (PHONE_ROOT) at a fresh phone in the subfolder "phone": a copy of one
// made once, with an empty contact store and SIM and the store "SMS" with its special folders.
// The phone jobs show their outcomes in message boxes themselves: those are answered at once and
// silently, as a user would click them away.
void UseFreshPhone(const FuzzFolder& folder);
