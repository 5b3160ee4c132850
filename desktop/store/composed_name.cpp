#include "desktop/store/composed_name.h"

QString ComposedContactName(const QString& first, const QString& middle, const QString& last) {
  QString name = first;
  if (!middle.isEmpty()) name += QLatin1Char(' ') + middle;
  if (!last.isEmpty()) name = last + QLatin1Char(',') + name;
  return name;
}
