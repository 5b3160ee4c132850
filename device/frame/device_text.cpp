#include "device/frame/device_text.h"

void CMd5::Update(const void* bytes, std::size_t count) { context_.Update(bytes, count); }

void CMd5::Final() {
  if (finished_) return;
  digest_ = context_.Finish();
  finished_ = true;
}

std::string CMd5::HexDigest() {
  Final();
  return BytesToHex(digest_.size(), digest_.data());
}

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
