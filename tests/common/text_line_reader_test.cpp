#include "common/text_line_reader.h"

#include <QBuffer>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

constexpr qint64 kChunk = 1024 * 1024;  // what one read takes
constexpr qint64 kNoLimit = qint64{1} << 40;

// The lines of the bytes, each as its length when it is longer than 20 bytes.
QStringList Lines(QByteArray bytes) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TextLineReader reader(buffer);
  QStringList lines;
  while (reader.Next(kNoLimit) == TextLineReader::Read::kLine) {
    const QByteArrayView line = reader.Line();
    lines << (line.size() > 20 ? QString::number(line.size()) : QString::fromLatin1(line));
  }
  return lines;
}

TEST(TextLineReader, GivesEachLineWithoutItsLineEnd) {
  const QByteArray longLine(kChunk + kChunk / 2, 'x');
  const struct {
    QByteArray bytes;
    QStringList lines;
  } kCases[] = {
      {"", {}},
      {"a\r\nb\nc", {"a", "b", "c"}},
      {"\n\r\n", {"", ""}},
      {"a\rb\r\r\n", {"a\rb\r"}},  // only the CR before the LF goes
      {"last\r", {"last\r"}},
      {longLine + "\r\nb", {QString::number(longLine.size()), "b"}},
      {QByteArray(kChunk - 1, 'y') + "\r\nz", {QString::number(kChunk - 1), "z"}},
  };
  for (const auto& [bytes, lines] : kCases) EXPECT_EQ(Lines(bytes), lines) << bytes.left(20).data();
}

TEST(TextLineReader, TheLimitCountsEveryLineHeldSinceTheLastRelease) {
  QByteArray bytes = QByteArray(kChunk * 8 / 10, 'a') + '\n' + QByteArray(kChunk, 'b') + "\n";
  for (bool release : {false, true}) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader reader(buffer);
    ASSERT_EQ(reader.Next(kChunk), TextLineReader::Read::kLine);
    if (release) reader.Release();
    EXPECT_EQ(reader.Next(kChunk * 9 / 10),
              release ? TextLineReader::Read::kLine : TextLineReader::Read::kTooLong);
    EXPECT_EQ(reader.Held().size(), release ? kChunk + 1 : kChunk * 8 / 10 + 1);
  }
}

TEST(TextLineReader, PeekLooksAtTheNextLine) {
  QByteArray bytes = "a\n b";
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TextLineReader reader(buffer);
  reader.Next(kNoLimit);
  EXPECT_EQ(reader.Peek(), ' ');
  reader.Next(kNoLimit);
  EXPECT_EQ(reader.Peek(), std::nullopt);
}

// Gives the first `readable` bytes of its data, then fails.
class FailingDevice : public QBuffer {
 public:
  FailingDevice(QByteArray* bytes, qint64 readable) : QBuffer(bytes), readable_(readable) {}

 protected:
  qint64 readData(char* data, qint64 size) override {
    if (pos() >= readable_) return -1;
    return QBuffer::readData(data, std::min(size, readable_ - pos()));
  }

 private:
  qint64 readable_;
};

TEST(TextLineReader, WhatWasReadBeforeTheDeviceFailedIsGiven) {
  QByteArray bytes = "a\nbc\nd\n";
  FailingDevice device(&bytes, 3);
  device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  TextLineReader reader(device);
  ASSERT_EQ(reader.Next(kNoLimit), TextLineReader::Read::kLine);
  EXPECT_FALSE(reader.Failed());
  ASSERT_EQ(reader.Next(kNoLimit), TextLineReader::Read::kLine);
  EXPECT_EQ(reader.Line(), "b");
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.Next(kNoLimit), TextLineReader::Read::kEnd);
}

}  // namespace
