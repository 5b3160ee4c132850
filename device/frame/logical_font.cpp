#include "device/frame/logical_font.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

QFont WithLogicalHeight(QFont font, int height) {
  if (height < 0) {
    font.setPixelSize(-height);
  } else if (height > 0) {
    font.setPixelSize(height);
    double cell = QFontMetricsF(font).height();
    if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(height * height / cell)));
  }
  return font;
}

QFont WithLogicalWidth(QFont font, int width) {
  if (width <= 0) return font;
  font.setStretch(QFont::Unstretched);
  double average = QFontMetricsF(font).averageCharWidth();
  if (average > 0) font.setStretch(std::clamp(static_cast<int>(100 * width / average), 1, 4000));
  return font;
}
