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

}  // namespace
