#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <optional>

// The two encodings of the exchange files that other programs write and read too (CSV and vCard
// files): code page 936, the product's own (see ansi_text.h), and UTF-8, what address books and
// spreadsheets write today.
enum class TextEncoding { kAnsi, kUtf8 };

inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// Which encoding a CSV or vCard file without a UTF-16 byte-order mark is read in: UTF-8 when it
// begins with the UTF-8 byte-order mark, or when the whole of it is valid UTF-8 and holds at least
// one byte that is not ASCII; code page 936 otherwise. Text in code page 936 that is not all ASCII
// is practically never valid UTF-8 as a whole, and an all-ASCII file reads the same either way. The
// exception is a file with very little such text, all of whose characters happen to be valid UTF-8
// too: "伟" alone (CE B0) reads as "ΰ".
//
// Reads the device in chunks from its position to its end, or up to the first byte that is not
// valid UTF-8, and then puts the position back; it takes the memory of one chunk whatever the
// size of the file. A device that cannot be read on is taken as code page 936.
TextEncoding DetectTextEncoding(QIODevice& device);

QString DecodeText(QByteArrayView bytes, TextEncoding encoding);
QByteArray EncodeText(const QString& text, TextEncoding encoding);

// The bytes of a CSV or vCard file, for a reader that finds its lines and fields by their ASCII
// bytes (line feed, comma, quote, colon). A file in UTF-8 or code page 936 gives its own bytes,
// in the encoding DetectTextEncoding() decides. A file that begins with the UTF-16 byte-order
// mark, little- or big-endian, as some Windows programs save text, gives its text converted to
// UTF-8: its two-byte units hide the ASCII bytes from such a reader. A byte-order mark is no part
// of the bytes.
//
// Reads the device from its position on; the device must be seekable (the encoding is decided
// first) and outlive the reader. A UTF-16 file is converted a chunk at a time, in the memory of a
// few chunks whatever its size; an unpaired surrogate becomes "?" and an odd byte at its end
// U+FFFD.
class TextFileReader {
 public:
  explicit TextFileReader(QIODevice& device);

  // Of the bytes Read() gives.
  TextEncoding Encoding() const { return encoding_; }

  // As QIODevice::read: up to `size` bytes into `data`; how many, 0 at the end, -1 when the
  // device fails.
  qint64 Read(char* data, qint64 size);

  // A read size of at most `most` and no larger than what is left of the file (at least 1), so
  // that a small file needs no buffer of a whole chunk.
  qint64 ChunkSize(qint64 most) const;

 private:
  // Converts the UTF-16 bytes read so far, keeping back an odd byte and a high surrogate that
  // the next read may complete, unless the file has ended.
  void Convert(bool ended);

  QIODevice& device_;
  TextEncoding encoding_ = TextEncoding::kAnsi;
  std::optional<bool> utf16BigEndian_;  // set for a UTF-16 file
  QByteArray unconverted_;              // UTF-16 bytes read and not yet converted
  QByteArray converted_;                // UTF-8 not yet given out, from converted_[taken_] on
  qsizetype taken_ = 0;
  bool ended_ = false;
};
