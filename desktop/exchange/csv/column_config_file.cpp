#include "desktop/exchange/csv/column_config_file.h"

#include <QDir>
#include <QFileInfo>

#include "common/text_mode_file.h"

namespace {

constexpr char kConfigFolder[] = "Config";
constexpr char kConfigExtension[] = ".cnf";
constexpr qint64 kMaxConfigFileBytes = 1024 * 1024;

}  // namespace

bool IsReservedConfigTitle(const QString& title) {
  for (const char* builtIn : kBuiltInLayouts) {
    if (title.compare(QLatin1String(builtIn), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

bool IsValidConfigTitle(const QString& title) {
  return !title.isEmpty() && title != QLatin1String(".") && title != QLatin1String("..") &&
         !title.contains(QLatin1Char('/')) && !title.contains(QLatin1Char('\\')) &&
         !title.contains(QChar(0));
}

QString ColumnConfigPath(const QString& title) {
  return QLatin1String(kConfigFolder) + QLatin1Char('/') + title + QLatin1String(kConfigExtension);
}

QStringList ListColumnConfigTitles() {
  QStringList titles;
  const QFileInfoList files =
      QDir(QLatin1String(kConfigFolder))
          .entryInfoList({QStringLiteral("*") + QLatin1String(kConfigExtension)},
                         QDir::Files | QDir::Hidden);  // a title may start with "."
  for (const QFileInfo& file : files) titles << file.completeBaseName();
  return titles;
}

bool WriteColumnConfigFile(const QString& title, const ColumnConfigFile& layout) {
  TextModeWriter writer;
  // Inside the working folder, through no link: neither "Config" nor the file may be one.
  if (!writer.Open(ColumnConfigPath(title), QStringLiteral("."))) return false;
  QStringList lines(layout.names.begin(), layout.names.end());
  writer.Write(lines.join(QLatin1Char('\n')));
  return writer.Commit();
}

std::optional<ColumnConfigFile> ReadColumnConfigFile(const QString& title) {
  QString path = ColumnConfigPath(title);
  if (QFileInfo(path).size() > kMaxConfigFileBytes) return std::nullopt;
  TextModeReader reader;
  if (!reader.Open(path)) return std::nullopt;
  ColumnConfigFile layout;
  QString line;
  for (QString& name : layout.names) {
    if (!reader.ReadLine(&line)) break;
    name = line;
  }
  return layout;
}
