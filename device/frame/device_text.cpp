#include "device/frame/device_text.h"

QString GetFileExtension(const QString& path) {
  qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  return dot >= 0 ? path.mid(dot) : QString();
}

QString LeftAnsiBytes(const QString& text, qsizetype maxBytes) {
  // No character takes more than four bytes, so a short text needs no conversion.
  if (text.size() * 4 <= maxBytes || WideToAnsi(text).size() <= maxBytes) return text;
  qsizetype fits = 0;
  qsizetype tooLong = text.size();
  while (tooLong - fits > 1) {
    const qsizetype middle = fits + (tooLong - fits) / 2;
    if (WideToAnsi(text.left(middle)).size() <= maxBytes) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  // A surrogate pair is one character.
  if (fits > 0 && text[fits - 1].isHighSurrogate()) --fits;
  return text.left(fits);
}
