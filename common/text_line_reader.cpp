#include "common/text_line_reader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 kChunkBytes = 1024 * 1024;

}  // namespace

TextLineReader::TextLineReader(QIODevice& device) : file_(device) { Fill(); }

bool TextLineReader::Fill() {
  if (atEnd_) return false;
  const qsizetype kept = buffer_.size() - heldStart_;
  if (heldStart_ > 0) {
    std::memmove(buffer_.data(), buffer_.constData() + heldStart_, kept);
    for (qsizetype* offset : {&lineStart_, &lineEnd_, &nextLine_}) *offset -= heldStart_;
    heldStart_ = 0;
  }
  const qint64 chunkBytes = file_.ChunkSize(kChunkBytes);
  buffer_.resize(kept + chunkBytes);
  const qint64 read = file_.Read(buffer_.data() + kept, chunkBytes);
  buffer_.resize(kept + std::max<qint64>(read, 0));
  failed_ = read < 0;
  atEnd_ = read <= 0;
  return !atEnd_;
}

TextLineReader::Read TextLineReader::Next(qint64 limit) {
  qsizetype searched = nextLine_;
  qsizetype lineFeed = -1;
  while ((lineFeed = buffer_.indexOf('\n', searched)) < 0) {
    const qsizetype held = buffer_.size() - heldStart_;
    if (held > limit) return Read::kTooLong;
    if (!Fill()) break;
    searched = held;  // the held bytes now start the buffer
  }
  if (lineFeed < 0 && nextLine_ >= buffer_.size()) return Read::kEnd;
  lineStart_ = nextLine_;
  if (lineFeed < 0) {
    lineEnd_ = nextLine_ = buffer_.size();
  } else {
    const bool crLf = lineFeed > lineStart_ && buffer_.at(lineFeed - 1) == '\r';
    lineEnd_ = crLf ? lineFeed - 1 : lineFeed;
    nextLine_ = lineFeed + 1;
  }
  return Read::kLine;
}

std::optional<char> TextLineReader::Peek() {
  if (nextLine_ == buffer_.size() && !Fill()) return std::nullopt;
  return buffer_.at(nextLine_);
}
