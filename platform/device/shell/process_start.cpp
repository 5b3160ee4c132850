#include "platform/device/shell/process_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// Stands for a "\" of a local name in the phone's form of a path.
constexpr QChar kBackslashInName(0xF05C);

QString LocalPath(const QString& phoneFormPath) {
  return QString(phoneFormPath)
      .replace(QLatin1Char('\\'), QLatin1Char('/'))
      .replace(kBackslashInName, QLatin1Char('\\'));
}

// The executable file the image path stands for; empty when there is none.
QString ExecutableFor(const QString& imagePath) {
  QFileInfo image(LocalPath(imagePath));
  if (!image.exists() && image.fileName().endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
    QString plain = image.fileName().chopped(4);
    image = QFileInfo(image.dir(), plain);
  }
  if (!image.isFile() || !image.isExecutable()) return QString();
  return image.absoluteFilePath();
}

}  // namespace

QString PhoneFormPath(const QString& localPath) {
  return QString(localPath)
      .replace(QLatin1Char('\\'), kBackslashInName)
      .replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString GetModuleFileName() { return PhoneFormPath(QCoreApplication::applicationFilePath()); }

bool CreateProcess(const QString& imagePath) {
  if (imagePath.isEmpty()) return false;
  QString executable = ExecutableFor(imagePath);
  if (executable.isEmpty()) return false;
  return QProcess::startDetached(executable, QStringList());
}
