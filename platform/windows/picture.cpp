#include "platform/windows/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "common/regular_file.h"

QImage DecodePicture(const QByteArray& bytes) {
  if (bytes.isEmpty() || bytes.size() > kMaxPictureBytes) return QImage();
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer);
  return reader.read();
}

RenderedPicture RenderPicture(const QByteArray& bytes, QSize size) {
  QImage picture = DecodePicture(bytes);
  if (picture.isNull()) return {};
  QImage drawn = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return {drawn, drawn.isNull()};
}

PictureFileResult ReadPictureFile(const QString& path, QByteArray* bytes) {
  QFile file;
  if (!OpenRegularFile(file, path)) return PictureFileResult::kCannotRead;
  if (file.size() == 0) return PictureFileResult::kEmpty;
  if (file.size() > kMaxPictureBytes) return PictureFileResult::kTooLarge;
  QByteArray content = file.read(kMaxPictureBytes + 1);
  if (content.size() != file.size()) return PictureFileResult::kCannotRead;
  if (DecodePicture(content).isNull()) return PictureFileResult::kNotAPicture;
  *bytes = content;
  return PictureFileResult::kOk;
}
