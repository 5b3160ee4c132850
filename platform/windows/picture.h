#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Contact pictures: the bytes of an image file (JPEG, PNG, BMP, GIF, ...) as the database stores
// them, decoded for display.

// Picture files larger than this are refused: a contact picture is a small photo, and a larger
// file is almost surely not one.
inline constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;

// Decodes picture bytes; a null image when they are empty, too large or not a picture.
QImage DecodePicture(const QByteArray& bytes);

// Picture bytes drawn at a size. Bytes that are no picture draw nothing and are no fault (a null
// image); a picture that decodes but cannot be drawn at that size is one (`renderFailed`).
struct RenderedPicture {
  QImage image;
  bool renderFailed = false;
};
RenderedPicture RenderPicture(const QByteArray& bytes, QSize size);

enum class PictureFileResult { kOk, kEmpty, kCannotRead, kTooLarge, kNotAPicture };

// Reads a picture file for storing: its bytes when it is a picture of at most kMaxPictureBytes.
// Nothing larger is read into memory. An empty file is no picture.
PictureFileResult ReadPictureFile(const QString& path, QByteArray* bytes);
