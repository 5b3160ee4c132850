#pragma once

#include <QByteArray>
#include <QImage>

class QAbstractButton;

// The bytes of an image file of the given format ("PNG", "JPG", "BMP") holding the image.
QByteArray ImageFileBytes(const QImage& image, const char* format, int quality = -1);

// True when the button looks the same without its text: its picture leaves the caption no room.
bool DrawsItsPictureAlone(QAbstractButton* button);
