#pragma once

#include <vector>

#include "desktop/exchange/csv/csv_reader.h"

using CsvRows = std::vector<CsvRow>;

// Every record of the CSV file at `path` as rows, read as the import reads them; `*result` (when
// given) says how the reading ended.
inline CsvRows ReadCsvRows(const QString& path, CsvReadResult* result = nullptr) {
  CsvRows rows;
  CsvRecordReader reader;
  CsvReadResult outcome = reader.Open(path);
  for (bool more = outcome == CsvReadResult::kRead; more;) {
    switch (reader.ReadRecord()) {
      case CsvRecordReader::Next::kRecord:
        rows.push_back(reader.Row());
        break;
      case CsvRecordReader::Next::kUnreadable:
        outcome = CsvReadResult::kNotFound;
        more = false;
        break;
      case CsvRecordReader::Next::kTooLarge:
        outcome = CsvReadResult::kTooLarge;
        more = false;
        break;
      case CsvRecordReader::Next::kEnd:
        more = false;
        break;
    }
  }
  if (result != nullptr) *result = outcome;
  return rows;
}
