#include "common/text_mode_file.h"

#include "common/ansi_text.h"
#include "common/regular_file.h"

bool TextModeReader::Open(const QString& path) { return OpenRegularFile(file_, path); }

bool TextModeReader::ReadLine(QString* line) {
  if (!file_.isOpen() || file_.atEnd()) return false;
  QByteArray bytes = file_.readLine();
  if (bytes.isEmpty()) return false;
  if (bytes.endsWith('\n')) {
    bytes.chop(1);
    if (bytes.endsWith('\r')) bytes.chop(1);
  }
  *line = AnsiToWide(bytes);
  return true;
}

double TextModeReader::Progress() const {
  qint64 size = file_.size();
  return size > 0 ? static_cast<double>(file_.pos()) / static_cast<double>(size) : 1.0;
}

bool TextModeWriter::Open(const QString& path, const QString& confiningFolder) {
  file_.setFileName(path, confiningFolder);
  failed_ = !file_.open(QIODevice::WriteOnly);
  return !failed_;
}

bool TextModeWriter::Write(const QString& text) {
  if (failed_) return false;
  QByteArray bytes = ToTextModeBytes(text, encoding_);
  if (file_.write(bytes) != bytes.size()) failed_ = true;
  return !failed_;
}

bool TextModeWriter::Commit() {
  if (failed_) file_.cancelWriting();
  return file_.commit();  // drops the new file after a failure
}

QByteArray ToTextModeBytes(const QString& text, TextEncoding encoding) {
  QByteArray bytes = EncodeText(text, encoding);
  qsizetype lineEnds = bytes.count('\n');
  if (lineEnds == 0) return bytes;
  QByteArray result(bytes.size() + lineEnds, Qt::Uninitialized);
  char* out = result.data();
  for (char c : bytes) {
    if (c == '\n') *out++ = '\r';
    *out++ = c;
  }
  return result;
}

QString FromTextModeBytes(const QByteArray& bytes) {
  QByteArray folded = bytes;
  folded.replace("\r\n", "\n");
  return AnsiToWide(folded);
}
