// Reads arbitrary bytes as a CSV file and imports its rows into an empty contact database, every
// field taken from a column of the header in turn, so that short rows fill the dates too.
#include <cstdint>

#include "desktop/exchange/csv/csv_import.h"
#include "desktop/exchange/csv/csv_reader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  const QString csv = folder.Write(QStringLiteral("input.csv"), FuzzBytes(data, size));
  CsvRow header;
  if (ReadCsvHeader(header, csv) != CsvReadResult::kRead || header.isEmpty()) return 0;
  CsvColumnMap columns;
  for (int box = 0; box < kContactFieldCount; ++box) columns[box] = box % header.size();
  ImportCsvFile(csv, columns, FreshContactDatabase(folder));
  return 0;
}
