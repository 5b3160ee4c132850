#include "platform/device/shell/shell_execute.h"

#include <QDesktopServices>
#include <QUrl>

bool ShellExecuteEx(const ShellExecuteInfo& info) {
  if (info.verb != QLatin1String("open") || info.file.isEmpty()) return false;
  return QDesktopServices::openUrl(QUrl::fromUserInput(info.file));
}
