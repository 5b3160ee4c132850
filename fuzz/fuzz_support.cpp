#include "fuzz/fuzz_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/contacts_backup_file.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/database_connection.h"
#include "platform/device/phone_folder.h"
#include "platform/device/phone_setup.h"
#include "platform/windows/message_service.h"

FuzzFolder::FuzzFolder() {
  if (!dir_.isValid() || !QDir::setCurrent(dir_.path())) std::abort();
  MessageService silent;
  silent.tips = [](int, const QString&) { return IDCANCEL; };
  silent.messageBox = [](const QString&, const QString&, unsigned) { return IDOK; };
  InstallMessageService(silent);
}

QString FuzzFolder::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = Path(name);
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
  return path;
}

QString FuzzFolder::FreshCopy(const QString& name, const QString& templatePath,
                              const QString& fileName) const {
  QDir folder(Path(name));
  folder.removeRecursively();
  const QString path = folder.filePath(fileName);
  if (!folder.mkpath(QStringLiteral(".")) || !QFile::copy(templatePath, path)) std::abort();
  return path;
}

QByteArray WithDigest(const std::uint8_t* data, std::size_t size, const QByteArray& digest) {
  QByteArray bytes = FuzzBytes(data, size);
  std::memcpy(bytes.data(), digest.constData(), std::min<std::size_t>(size, digest.size()));
  return bytes;
}

QByteArray ContactsBackupBytes(const std::uint8_t* data, std::size_t size) {
  const Md5Digest digest = ContactsFileDigest(static_cast<qint64>(size));
  return WithDigest(data, size,
                    QByteArray(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

namespace {

QString EmptyContactDatabase(const FuzzFolder& folder) {
  static const QString path = [&] {
    const QString database = folder.Path(QStringLiteral("empty.cdt"));
    ViewState state;
    if (InitContactDatabase(state, database) != 0) std::abort();
    return database;
  }();
  return path;
}

QString FreshPhoneDatabase(const FuzzFolder& folder) {
  static const QString path = [&] {
    qputenv(kPhoneRootVariable, folder.Path(QStringLiteral("fresh phone")).toLocal8Bit());
    if (!PhoneSetup().IsOpen()) std::abort();
    return PhoneDatabasePath();
  }();
  return path;
}

}  // namespace

QString FreshContactDatabase(const FuzzFolder& folder) {
  return folder.FreshCopy(QStringLiteral("desktop"), EmptyContactDatabase(folder),
                          QLatin1String(kContactDatabaseFile));
}

void UseFreshPhone(const FuzzFolder& folder) {
  folder.FreshCopy(QStringLiteral("phone"), FreshPhoneDatabase(folder),
                   QLatin1String(kPhoneDatabaseFile));
  qputenv(kPhoneRootVariable, folder.Path(QStringLiteral("phone")).toLocal8Bit());
}
