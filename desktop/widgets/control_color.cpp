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

void OnCtlColorStaticBlack(QWidget* window) {
  OnCtlColorBackBrush(window);
  if (BackBrush().style() == Qt::NoBrush) return;
  QPalette palette = window->palette();
  // Disabled boxes keep the platform's colours, so they look disabled even when empty.
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setBrush(group, QPalette::Base, BackBrush());
    palette.setColor(group, QPalette::WindowText, Qt::black);
    palette.setColor(group, QPalette::Text, Qt::black);
  }
  window->setPalette(palette);
}
