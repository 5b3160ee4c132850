#include "common/text_encoding.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

#include "common/ansi_text.h"

namespace {

constexpr qint64 kChunkBytes = 1024 * 1024;

// How much to read at a time of what is `left`: no more than `most`, so that a small file needs no
// buffer of a whole chunk, and at least a byte, to see the end.
qint64 ReadSize(qint64 left, qint64 most = kChunkBytes) {
  return std::clamp<qint64>(left, 1, most);
}

bool IsAsciiWord(const char* bytes) {
  quint64 word;
  std::memcpy(&word, bytes, sizeof word);
  return (word & 0x8080808080808080ULL) == 0;
}

// Checks UTF-8 a piece at a time: a character may be split between pieces.
class Utf8Validator {
 public:
  void Add(QByteArrayView bytes);
  // Whether everything added is valid UTF-8 so far: a character may still be unfinished.
  bool IsValid() const { return valid_; }
  // Whether everything added is valid, complete UTF-8.
  bool IsComplete() const { return valid_ && pending_ == 0; }
  bool HasNonAscii() const { return nonAscii_; }

 private:
  bool valid_ = true;
  bool nonAscii_ = false;
  int pending_ = 0;  // continuation bytes the character needs still
  // The range of the next continuation byte: narrower than 80..BF right after some lead bytes,
  // which rules out overlong forms, surrogates and code points above U+10FFFF.
  unsigned char low_ = 0x80;
  unsigned char high_ = 0xBF;
};

void Utf8Validator::Add(QByteArrayView bytes) {
  const char* data = bytes.data();
  qsizetype size = bytes.size();
  for (qsizetype i = 0; i < size && valid_;) {
    if (pending_ == 0 && i + 8 <= size && IsAsciiWord(data + i)) {  // most text is ASCII
      i += 8;
      continue;
    }
    auto byte = static_cast<unsigned char>(data[i++]);
    if (pending_ > 0) {
      valid_ = byte >= low_ && byte <= high_;
      low_ = 0x80;
      high_ = 0xBF;
      --pending_;
      continue;
    }
    if (byte < 0x80) continue;
    nonAscii_ = true;
    if (byte >= 0xC2 && byte <= 0xDF) {
      pending_ = 1;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
      pending_ = 2;
      if (byte == 0xE0) low_ = 0xA0;   // no overlong form
      if (byte == 0xED) high_ = 0x9F;  // no surrogate
    } else if (byte >= 0xF0 && byte <= 0xF4) {
      pending_ = 3;
      if (byte == 0xF0) low_ = 0x90;   // no overlong form
      if (byte == 0xF4) high_ = 0x8F;  // nothing above U+10FFFF
    } else {
      valid_ = false;  // a continuation byte without its lead, or a lead byte UTF-8 never uses
    }
  }
}

}  // namespace

TextEncoding DetectTextEncoding(QIODevice& device) {
  qint64 start = device.pos();
  const qint64 chunkBytes = ReadSize(device.bytesAvailable());
  QByteArray chunk(chunkBytes, Qt::Uninitialized);
  Utf8Validator validator;
  bool first = true;
  bool readable = true;
  for (;;) {
    qint64 read = device.read(chunk.data(), chunkBytes);
    if (read <= 0) {
      readable = read == 0;
      break;
    }
    QByteArrayView piece(chunk.constData(), read);
    if (first && piece.startsWith(kUtf8ByteOrderMark)) {
      device.seek(start);
      return TextEncoding::kUtf8;
    }
    first = false;
    validator.Add(piece);
    if (!validator.IsValid()) break;
  }
  device.seek(start);
  bool utf8 = readable && validator.IsComplete() && validator.HasNonAscii();
  return utf8 ? TextEncoding::kUtf8 : TextEncoding::kAnsi;
}

QString DecodeText(QByteArrayView bytes, TextEncoding encoding) {
  return encoding == TextEncoding::kUtf8 ? QString::fromUtf8(bytes)
                                         : AnsiToWide(bytes.data(), bytes.size());
}

QByteArray EncodeText(const QString& text, TextEncoding encoding) {
  return encoding == TextEncoding::kUtf8 ? text.toUtf8() : WideToAnsi(text);
}

TextFileReader::TextFileReader(QIODevice& device) : device_(device) {
  QByteArray start = device.peek(sizeof kUtf8ByteOrderMark - 1);
  if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF")) {
    utf16BigEndian_ = start.startsWith("\xFE");
    encoding_ = TextEncoding::kUtf8;
    device.skip(2);
    return;
  }
  encoding_ = DetectTextEncoding(device);
  if (start.startsWith(kUtf8ByteOrderMark)) device.skip(start.size());
}

qint64 TextFileReader::Read(char* data, qint64 size) {
  if (!utf16BigEndian_) return device_.read(data, size);
  while (converted_.size() - taken_ < size && !ended_) {
    converted_.remove(0, taken_);
    taken_ = 0;
    qsizetype kept = unconverted_.size();
    const qint64 chunkBytes = ReadSize(device_.bytesAvailable());
    unconverted_.resize(kept + chunkBytes);
    qint64 read = device_.read(unconverted_.data() + kept, chunkBytes);
    if (read < 0) return -1;
    unconverted_.resize(kept + read);
    ended_ = read == 0;
    Convert(ended_);
  }
  qint64 given = std::min<qint64>(size, converted_.size() - taken_);
  std::memcpy(data, converted_.constData() + taken_, given);
  taken_ += given;
  return given;
}

qint64 TextFileReader::ChunkSize(qint64 most) const {
  return ReadSize(device_.bytesAvailable() + (converted_.size() - taken_), most);
}

void TextFileReader::Convert(bool ended) {
  qsizetype units = unconverted_.size() / 2;
  QString text(units, Qt::Uninitialized);
  if (*utf16BigEndian_) {
    qFromBigEndian<char16_t>(unconverted_.constData(), units, text.data());
  } else {
    qFromLittleEndian<char16_t>(unconverted_.constData(), units, text.data());
  }
  if (!ended && units > 0 && text.back().isHighSurrogate()) --units;
  converted_ += QStringView(text).first(units).toUtf8();
  unconverted_.remove(0, units * 2);
  if (ended && !unconverted_.isEmpty()) {
    converted_ += QStringView(u"\uFFFD").toUtf8();
    unconverted_.clear();
  }
}
