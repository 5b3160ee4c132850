#pragma once

#include <QFile>
#include <QString>

#include "common/text_encoding.h"
#include "common/whole_file_writer.h"

// Exchange text files (CSV, vCard, text listings, column layouts) are kept the way the C
// runtime's text mode keeps them: CR LF on disk and LF in memory, characters in code page 936
// (see ansi_text.h), or in UTF-8 where a writer says so.

// Reads a text file line by line. A CR LF pair ends a line like a lone LF; a CR that is not
// followed by LF stays in the line. A last line without a line end is still a line; an empty
// file has no lines. Bytes that are not valid text become U+FFFD.
class TextModeReader {
 public:
  // Opens the file for reading; false when it does not exist or cannot be read.
  bool Open(const QString& path);
  // Reads the next line without its line end; false at the end of the file.
  bool ReadLine(QString* line);
  // Fraction of the file read so far, for progress display.
  double Progress() const;

 private:
  QFile file_;
};

// Writes a text file in one piece through WholeFileWriter: the target is replaced only when
// Commit() succeeds. A failed or abandoned write leaves any existing file untouched and no partial
// file behind.
class TextModeWriter {
 public:
  explicit TextModeWriter(TextEncoding encoding = TextEncoding::kAnsi) : encoding_(encoding) {}
  // `confiningFolder` as WholeFileWriter takes it.
  bool Open(const QString& path, const QString& confiningFolder = QString());
  // Appends text; each LF is written as CR LF. Returns false once any write has failed.
  bool Write(const QString& text);
  // Moves the finished file into place. False when a write or the final rename failed.
  bool Commit();

 private:
  TextEncoding encoding_;
  WholeFileWriter file_;
  bool failed_ = false;
};

// The text-mode conversions on their own, for text that is not read from or written to a file
// line by line.
QByteArray ToTextModeBytes(const QString& text, TextEncoding encoding = TextEncoding::kAnsi);
QString FromTextModeBytes(const QByteArray& bytes);
