#include "common/text_encoding.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

TextEncoding Detect(QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  buffer.seek(1);  // the device is read from its position on, which is put back
  TextEncoding encoding = DetectTextEncoding(buffer);
  EXPECT_EQ(buffer.pos(), 1);
  return encoding;
}

TEST(TextEncoding, ValidUtf8WithNonAsciiOrAByteOrderMarkIsUtf8) {
  using enum TextEncoding;
  const QByteArray chunk(1024 * 1024, 'a');  // what one read takes
  const struct {
    const char* what;
    QByteArray bytes;
    TextEncoding encoding;
  } kCases[] = {
      {"empty", "", kAnsi},
      {"ASCII", "Name,Phone\r\nAnn,1\r\n", kAnsi},
      {"accents", "Zo\xC3\xAB Bront\xC3\xAB", kUtf8},
      {"CJK", "\xE5\xBC\xA0\xE4\xBC\x9F", kUtf8},
      {"four bytes", "\xF0\x9F\x98\x80", kUtf8},
      {"mark and ASCII", "\xEF\xBB\xBF,x", kUtf8},
      {"mark and invalid bytes", "\xEF\xBB\xBF\xD5\xC5\xCE\xB0", kUtf8},
      {"GB18030", "\xD5\xC5\xCE\xB0,\xA2\xE3", kAnsi},
      {"code page 936 euro", "5\x80", kAnsi},
      {"overlong", "\xC0\x80", kAnsi},
      {"overlong three bytes", "\xE0\x80\xAF", kAnsi},
      {"surrogate", "\xED\xA0\x80", kAnsi},
      {"above U+10FFFF", "\xF4\x90\x80\x80", kAnsi},
      {"cut off at the end", "a\xE5\xBC", kAnsi},
      {"stray continuation", "a\xBC", kAnsi},
      {"invalid past the first read", chunk + "\xC3\xAB" + chunk + "\xFF", kAnsi},
      {"character across two reads", chunk.chopped(2) + "\xE5\xBC\xA0", kUtf8},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Detect("x" + c.bytes), c.encoding) << c.what;  // "x": before the position
  }
}

// What a reader of the file gets, read `size` bytes at a time.
QByteArray ReadAll(QByteArray bytes, qint64 size, TextEncoding* encoding) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TextFileReader reader(buffer);
  *encoding = reader.Encoding();
  QByteArray read;
  QByteArray piece(size, Qt::Uninitialized);
  for (qint64 n; (n = reader.Read(piece.data(), size)) > 0;) read += piece.first(n);
  return read;
}

TEST(TextEncoding, Utf16FilesAreReadAsUtf8AndByteOrderMarksDropped) {
  using enum TextEncoding;
  // "a" in UTF-16 LE, up to a surrogate pair across the first two reads.
  const QByteArray units = QByteArray("a\0", 2).repeated(512 * 1024 - 1);
  const struct {
    const char* what;
    QByteArray bytes;
    QByteArray read;
    TextEncoding encoding;
  } kCases[] = {
      {"UTF-16 LE", QByteArray("\xFF\xFEZ\0,\0\x20\x5F\r\0\n\0", 12), "Z,\xE5\xBC\xA0\r\n", kUtf8},
      {"UTF-16 BE", QByteArray("\xFE\xFF\0Z\0,\x5F\x20\0\n", 10), "Z,\xE5\xBC\xA0\n", kUtf8},
      {"pair across reads", "\xFF\xFE" + units + QByteArray("\x3D\xD8\x00\xDE", 4),
       QByteArray(units.size() / 2, 'a') + "\xF0\x9F\x98\x80", kUtf8},
      {"odd byte and lone surrogate", QByteArray("\xFE\xFF\xD8\x00\0a\0", 7), "?a\xEF\xBF\xBD",
       kUtf8},
      {"UTF-8 mark", "\xEF\xBB\xBFx\xC3\xAB", "x\xC3\xAB", kUtf8},
      {"code page 936", "\xFF\xD5\xC5", "\xFF\xD5\xC5", kAnsi},
      {"mark alone", "\xFF\xFE", "", kUtf8},
  };
  for (const auto& c : kCases) {
    for (qint64 size : {5, 1024 * 1024}) {
      TextEncoding encoding;
      QByteArray read = ReadAll(c.bytes, size, &encoding);
      EXPECT_EQ(read.left(64), c.read.left(64)) << c.what << " " << size;
      EXPECT_EQ(read.size(), c.read.size()) << c.what << " " << size;
      EXPECT_EQ(encoding, c.encoding) << c.what;
    }
  }
}

}  // namespace
