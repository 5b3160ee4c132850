#include "desktop/exchange/export_file_name.h"

QString DefaultExportName(const QDateTime& now) {
  return QStringLiteral("Contact_%1%2%3_%4%5")
      .arg(now.date().year())
      .arg(now.date().month())
      .arg(now.date().day())
      .arg(now.time().hour())
      .arg(now.time().minute());
}
