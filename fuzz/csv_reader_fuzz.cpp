// Feeds arbitrary bytes to the CSV reader as the content of a CSV file.
#include <QTemporaryFile>

#include <cstdint>

#include "desktop/exchange/csv/csv_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QTemporaryFile file;
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (!file.open() || file.write(bytes) != bytes.size()) return 0;
  file.close();
  CsvRowSet rows;
  ReadCsvFile(rows, file.fileName());
  FreeCsvRows(rows);
  return 0;
}
