#include "common/binary_file_reader.h"

#include <algorithm>
#include <cstring>

#include "common/regular_file.h"

namespace {

constexpr qint64 kBufferSize = 256 * 1024;

}  // namespace

bool BinaryFileReader::Open(const QString& path) {
  file_.close();  // opening again (a rewind) starts from a closed file
  file_.setFileName(path);
  failed_ = !OpenRegularFile(file_, path);
  size_ = failed_ ? 0 : file_.size();
  position_ = 0;
  buffer_.clear();
  bufferStart_ = 0;
  return !failed_;
}

bool BinaryFileReader::Fail() {
  failed_ = true;
  return false;
}

// Copies `count` bytes from the current position to `destination` (null: skip them).
bool BinaryFileReader::Take(qint64 count, char* destination) {
  if (failed_ || count < 0 || count > BytesLeft()) return Fail();
  while (count > 0) {
    qint64 offsetInBuffer = position_ - bufferStart_;
    qint64 available = buffer_.size() - offsetInBuffer;
    if (offsetInBuffer < 0 || available <= 0) {
      if (destination == nullptr && count > kBufferSize) {
        // A long skip: move without reading what is skipped.
        position_ += count;
        buffer_.clear();
        bufferStart_ = position_;
        return file_.seek(position_) || Fail();
      }
      if (!file_.seek(position_)) return Fail();
      buffer_ = file_.read(std::min(kBufferSize, BytesLeft()));
      bufferStart_ = position_;
      if (buffer_.isEmpty()) return Fail();
      continue;
    }
    qint64 take = std::min(available, count);
    if (destination != nullptr) {
      std::memcpy(destination, buffer_.constData() + offsetInBuffer, static_cast<size_t>(take));
      destination += take;
    }
    position_ += take;
    count -= take;
  }
  return true;
}

bool BinaryFileReader::ReadU8(std::uint8_t* value) {
  return Take(1, reinterpret_cast<char*>(value));
}

bool BinaryFileReader::ReadU16(std::uint16_t* value) {
  unsigned char bytes[2];
  if (!Take(2, reinterpret_cast<char*>(bytes))) return false;
  *value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
  return true;
}

bool BinaryFileReader::ReadU32(std::uint32_t* value) {
  unsigned char bytes[4];
  if (!Take(4, reinterpret_cast<char*>(bytes))) return false;
  *value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
  return true;
}

bool BinaryFileReader::ReadI32(std::int32_t* value) {
  std::uint32_t raw;
  if (!ReadU32(&raw)) return false;
  *value = static_cast<std::int32_t>(raw);
  return true;
}

bool BinaryFileReader::ReadBytes(qint64 count, QByteArray* bytes) {
  if (failed_ || count < 0 || count > BytesLeft()) return Fail();
  if (bytes == nullptr) return Take(count, nullptr);
  bytes->resize(count);
  return Take(count, bytes->data());
}
