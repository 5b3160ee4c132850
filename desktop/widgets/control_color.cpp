#include "desktop/widgets/control_color.h"

#include <QPalette>

namespace {

QBrush& CurrentBackBrush() {
  static QBrush brush;  // Qt::NoBrush until the application creates it
  return brush;
}

}  // namespace

void SetBackBrush(const QBrush& brush) { CurrentBackBrush() = brush; }

const QBrush& BackBrush() { return CurrentBackBrush(); }

void OnCtlColorBackBrush(QWidget* window) {
  if (BackBrush().style() == Qt::NoBrush) return;
  QPalette palette = window->palette();
  palette.setBrush(QPalette::Window, BackBrush());
  window->setPalette(palette);
  window->setAutoFillBackground(true);
}
