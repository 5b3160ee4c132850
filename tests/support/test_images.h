#pragma once

#include <QByteArray>
#include <QImage>

// The bytes of an image file of the given format ("PNG", "JPG", "BMP") holding the image.
QByteArray ImageFileBytes(const QImage& image, const char* format, int quality = -1);
