#include "tests/support/test_images.h"

#include <QBuffer>

QByteArray ImageFileBytes(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return bytes;
}
