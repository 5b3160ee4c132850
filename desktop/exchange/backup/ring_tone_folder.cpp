#include "desktop/exchange/backup/ring_tone_folder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QString RingToneFolder(const QString& databasePath) {
  return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("Ring"));
}

QString RingToneFileName(const QString& phonePath) {
  qsizetype lastSeparator =
      std::max(phonePath.lastIndexOf(QLatin1Char('\\')), phonePath.lastIndexOf(QLatin1Char('/')));
  QString name = phonePath.mid(lastSeparator + 1);
  if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
      name.contains(QChar(0))) {
    return QString();
  }
  return name;
}

QString RingToneFilePath(const QString& databasePath, const QString& phonePath) {
  QString name = RingToneFileName(phonePath);
  return name.isEmpty() ? QString() : RingToneFolder(databasePath) + QLatin1Char('/') + name;
}
