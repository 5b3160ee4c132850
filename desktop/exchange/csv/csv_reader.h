#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The rows of a CSV file, in file order, each the list of its field texts exactly as split (no
// trimming, no change of case). Rows may have different numbers of fields. Row 0 is the file's
// header line.
using CsvRow = QStringList;
using CsvRowSet = std::vector<CsvRow>;

// Bounds of what is read. A contacts CSV of 100,000 contacts takes some 15 to 60 MB on disk and a
// few hundred MB as rows. Files larger than kMaxCsvFileBytes are refused unread; rows are read
// until they would take more than the memory given (by default kMaxCsvRowMemory), which refuses
// files of millions of tiny fields, each of which costs far more in memory than on disk.
inline constexpr qint64 kMaxCsvFileBytes = qint64{128} * 1024 * 1024;
inline constexpr qint64 kMaxCsvRowMemory = qint64{1024} * 1024 * 1024;

enum class CsvReadResult {
  kRead,      // every record of the file is appended (an empty file has none)
  kNotFound,  // no file at the path, or one that cannot be read: the set is untouched
  kTooLarge,  // over a bound: the set is untouched
};

// Reads the CSV file at `path` (a text file in code page 936) and appends one row per record to
// `rows`; rows the set already holds stay. Fields are separated by commas; a field that starts
// with a double quote is quoted: it may hold commas and line breaks (kept as CR LF) and writes a
// double quote as two. A carriage return outside quotes ends the record. A quoted field still
// open at the end of the file ends there, and its row is kept.
CsvReadResult ReadCsvFile(CsvRowSet& rows, const QString& path,
                          qint64 maxRowMemory = kMaxCsvRowMemory);

// Releases every row and the set's storage.
void FreeCsvRows(CsvRowSet& rows);
