#include "platform/device/stores/phone_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "common/regular_file.h"
#include "common/whole_file_writer.h"

namespace {

// True when a part of the path below the root, the last one included, is a symbolic link.
bool PassesThroughALink(const QString& root, const QStringList& parts) {
  QString path = root;
  for (const QString& part : parts) {
    path += QLatin1Char('/') + part;
    if (QFileInfo(path).isSymLink()) return true;
  }
  return false;
}

}  // namespace

QString PhoneRootPath() {
  QString root = qEnvironmentVariable(kPhoneRootVariable);
  if (root.isEmpty()) root = QString::fromLatin1(kDefaultPhoneRoot);
  return QDir::cleanPath(QFileInfo(root).absoluteFilePath());
}

QString PhoneRootFolder() {
  const QString absolute = PhoneRootPath();
  return QDir().mkpath(absolute) ? absolute : QString();
}

QString PhoneDatabasePath() {
  const QString root = PhoneRootFolder();
  return root.isEmpty() ? QString() : root + QLatin1Char('/') + QLatin1String(kPhoneDatabaseFile);
}

bool IsPhoneDatabaseFileName(const QString& name) {
  const QString database = QString::fromLatin1(kPhoneDatabaseFile);
  return name.compare(database, Qt::CaseInsensitive) == 0 ||
         name.startsWith(database + QLatin1Char('-'), Qt::CaseInsensitive);
}

std::optional<QString> PhonePathToLocal(const QString& phonePath) {
  if (phonePath.contains(QChar(u'\0'))) return std::nullopt;
  QStringList parts;
  const QStringList pieces = QString(phonePath)
                                 .replace(QLatin1Char('\\'), QLatin1Char('/'))
                                 .split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString& piece : pieces) {
    if (piece == QLatin1String(".")) continue;
    if (piece == QLatin1String("..")) {
      if (parts.isEmpty()) return std::nullopt;
      parts.removeLast();
      continue;
    }
    parts << piece;
  }
  if (!parts.isEmpty() && IsPhoneDatabaseFileName(parts.first())) return std::nullopt;
  const QString root = PhoneRootFolder();
  if (root.isEmpty() || PassesThroughALink(root, parts)) return std::nullopt;
  return parts.isEmpty() ? root : root + QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

bool PhoneDirectoryExists(const QString& phonePath) {
  std::optional<QString> local = PhonePathToLocal(phonePath);
  return local && QFileInfo(*local).isDir();
}

bool CreatePhoneDirectory(const QString& phonePath) {
  std::optional<QString> local = PhonePathToLocal(phonePath);
  return local && !QFileInfo::exists(*local) && QDir().mkdir(*local);
}

std::unique_ptr<QFile> OpenPhoneFileForReading(const QString& phonePath) {
  std::optional<QString> local = PhonePathToLocal(phonePath);
  auto file = std::make_unique<QFile>();
  if (!local || !OpenRegularFile(*file, *local)) return nullptr;
  return file;
}

bool WritePhoneFile(const QString& phonePath, const QByteArray& bytes) {
  std::optional<QString> local = PhonePathToLocal(phonePath);
  return local && WriteWholeFile(*local, bytes, PhoneRootFolder());
}
