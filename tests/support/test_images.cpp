#include "tests/support/test_images.h"

#include <QAbstractButton>
#include <QBuffer>

QByteArray ImageFileBytes(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return bytes;
}

bool DrawsItsPictureAlone(QAbstractButton* button) {
  QString caption = button->text();
  QImage shown = button->grab().toImage();
  button->setText(QString());
  bool same = button->grab().toImage() == shown;
  button->setText(caption);
  return same;
}
