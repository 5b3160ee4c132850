#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

// Reads a little-endian binary file through a buffer, never past its end. Every read checks the
// bytes left first: a read that would pass the end fails, reads nothing and leaves the reader
// failed, so a count taken from the file can never make it allocate more than the file holds.
class BinaryFileReader {
 public:
  bool Open(const QString& path);
  void Close() { file_.close(); }

  qint64 Size() const { return size_; }
  qint64 Position() const { return position_; }
  qint64 BytesLeft() const { return size_ - position_; }
  bool Failed() const { return failed_; }

  bool ReadU8(std::uint8_t* value);
  bool ReadU16(std::uint16_t* value);
  bool ReadU32(std::uint32_t* value);
  bool ReadI32(std::int32_t* value);
  // Reads `count` bytes into `bytes`, or skips them when `bytes` is null.
  bool ReadBytes(qint64 count, QByteArray* bytes);
  bool Skip(qint64 count) { return ReadBytes(count, nullptr); }

 private:
  bool Take(qint64 count, char* destination);
  bool Fail();

  QFile file_;
  qint64 size_ = 0;
  qint64 position_ = 0;
  QByteArray buffer_;
  qint64 bufferStart_ = 0;  // file offset of buffer_[0]
  bool failed_ = false;
};
