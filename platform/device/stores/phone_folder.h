#pragma once

#include <QFile>
#include <QString>

#include <memory>
#include <optional>

// The emulated phone lives in one folder: the environment variable PHONE_ROOT names it, or, when
// that is unset or empty, "phone" in the working folder. It holds the phone's database and the
// phone's own file system: the phone path "\Application Data\Sounds\ring.wav" is the file
// <root>/Application Data/Sounds/ring.wav. No phone path reaches outside the folder, nor the
// phone's database and the files SQLite keeps beside it: a file a backup names could otherwise
// replace the database's journal and have SQLite replay it into the database. So no phone path
// goes through a symbolic link either, and only regular files are read or written.

inline constexpr char kPhoneRootVariable[] = "PHONE_ROOT";
inline constexpr char kDefaultPhoneRoot[] = "phone";
inline constexpr char kPhoneDatabaseFile[] = "phone.db";

// The absolute path of the phone folder, whether it exists or not.
QString PhoneRootPath();

// The absolute path of the phone folder, created (with its parents) when missing. The variable is
// read on every call, so a test can point each case at its own folder. Empty when the folder
// cannot be created.
QString PhoneRootFolder();

// The path of the phone's database file in the phone folder; empty when there is no folder.
QString PhoneDatabasePath();

// True for the name of the phone's database or of a file SQLite keeps beside it ("phone.db",
// "phone.db-journal", "phone.db-wal", ...), in any case.
bool IsPhoneDatabaseFileName(const QString& name);

// The local path of a phone path. Both "\" and "/" separate the parts; empty parts and "." are
// skipped and ".." goes up one part. Nothing for a path that would climb above the phone folder,
// for a path that names the phone's database or a file beside it (IsPhoneDatabaseFileName), for a
// path holding a NUL character, for a path that passes through or ends in a symbolic link, and
// when there is no phone folder. "\" and "" name the phone folder itself.
std::optional<QString> PhonePathToLocal(const QString& phonePath);

// The file operations the phone programs make on phone paths. Each fails (false or null) for a
// path that maps to nothing.

// True when the path names an existing folder.
bool PhoneDirectoryExists(const QString& phonePath);
// Creates one folder; false when it already exists or its parent folder is missing.
bool CreatePhoneDirectory(const QString& phonePath);
// Opens an existing regular file for reading (binary); null when there is none or it cannot be
// read. A FIFO or device at the path is not opened, so nothing waits on it.
std::unique_ptr<QFile> OpenPhoneFileForReading(const QString& phonePath);
// Writes the bytes as the whole file (WholeFileWriter): a write that fails or is killed leaves
// the file that was there, or none. False when it fails (its folder is missing, or something
// other than a regular file stands at the path).
bool WritePhoneFile(const QString& phonePath, const QByteArray& bytes);
