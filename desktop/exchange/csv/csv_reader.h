#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "common/text_line_reader.h"

// One record of a CSV file: the list of its field texts exactly as split (no trimming, no change
// of case). Records may have different numbers of fields; the first is the file's header line.
using CsvRow = QStringList;

// The bound of what is read: a record is read until it would take more than
// kMaxCsvRecordMemory as a row, which refuses records of millions of tiny fields, each of which
// costs far more in memory than on disk. A file may hold any number of records.
inline constexpr qint64 kMaxCsvRecordMemory = qint64{64} * 1024 * 1024;

enum class CsvReadResult {
  kRead,      // the file is open, or was read to its end (an empty file has no record)
  kNotFound,  // no file at the path, or one that cannot be read (to its end)
  kTooLarge,  // a record over the bound: nothing of the file is used
};

// Reads the records of a CSV file one at a time, so that a file of any size takes the memory of
// one record.
//
// The file is text in UTF-8, code page 936 or UTF-16, as TextFileReader decides for the whole
// file (a byte-order mark is no part of the first field). Fields are separated by commas; a field
// that starts with a double quote is quoted: it may hold commas and line breaks (kept as CR LF) and
// writes a double quote as two; text after its closing quote joins the field. A line ends at LF or
// CR LF; a carriage return outside quotes ends the record, and the rest of its line is dropped. A
// quoted field still open at the end of the file ends there, and its record is kept.
class CsvRecordReader {
 public:
  CsvRecordReader() = default;
  CsvRecordReader(const CsvRecordReader&) = delete;
  CsvRecordReader& operator=(const CsvRecordReader&) = delete;

  // kNotFound when there is no file at the path or it cannot be read. Reads the file through
  // once to decide its encoding.
  CsvReadResult Open(const QString& path);

  enum class Next { kRecord, kEnd, kTooLarge, kUnreadable };
  // Reads the next record. One that would take more than `maxMemory` as a row (see RowMemory)
  // is kTooLarge, and nothing more is read; so is the rest once the file failed to read
  // (kUnreadable, after the records read before).
  Next ReadRecord(qint64 maxMemory = kMaxCsvRecordMemory);

  // The record read last, valid until the next read: its fields as the file holds them (after
  // unquoting), as text, or all of them as a row.
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  QByteArrayView FieldBytes(int field) const;
  QString FieldText(int field) const;
  CsvRow Row() const;
  // What Row() takes in memory, near enough: its list, and each field's string with its text.
  qint64 RowMemory() const { return rowMemory_; }

 private:
  // A field's bytes: a piece of the record's lines (offset from its start), or, when it is put
  // together from several pieces, an entry of assembled_.
  struct Field {
    qsizetype offset = 0;
    qsizetype size = 0;
    int assembled = -1;
  };

  enum class Quoted { kClosed, kFileEnded, kTooLarge };

  bool NextLine();
  qsizetype FindInLine(char first, char second) const;
  QByteArray& Assembled(Field& field);
  void Append(Field& field, qsizetype from, qsizetype to);
  void AppendText(Field& field, QByteArrayView text);
  // Takes a quoted field's text up to its closing quote, reading on over line ends.
  Quoted TakeQuoted(Field& field);
  // Adds the field to the record; false when the record takes more memory than it may.
  bool AddField(const Field& field);
  Next TooLarge();

  QFile file_;
  std::optional<TextLineReader> lines_;  // of file_, once open
  bool tooLarge_ = false;                // once a record was too large, nothing more is read
  qint64 maxMemory_ = 0;                 // of the record being read
  // The lines of the record being read, and offsets in them.
  QByteArrayView record_;
  qsizetype lineEnd_ = 0;   // past the line's text, before its CR LF or LF
  qsizetype position_ = 0;  // of the scan
  std::vector<Field> fields_;
  std::vector<QByteArray> assembled_;  // kept from record to record with their storage
  int assembledUsed_ = 0;
  qint64 rowMemory_ = 0;
};

// Reads the first record of the file, its header; an empty file has an empty one.
CsvReadResult ReadCsvHeader(CsvRow& header, const QString& path);
