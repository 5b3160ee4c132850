// Reads arbitrary bytes as a CSV file and imports its rows into an empty contact database, every
// field taken from a column of the header in turn, so that short rows fill the dates too.
#include <cstdint>

#include "desktop/exchange/csv/csv_import.h"
#include "desktop/exchange/csv/csv_reader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  CsvRowSet rows;
  if (ReadCsvFile(rows, folder.Write(QStringLiteral("input.csv"), FuzzBytes(data, size))) !=
          CsvReadResult::kRead ||
      rows.empty() || rows[0].isEmpty()) {
    return 0;
  }
  CsvColumnMap columns;
  for (int box = 0; box < kContactFieldCount; ++box) columns[box] = box % rows[0].size();
  const QString database = FreshContactDatabase(folder);
  ImportCsvRows(rows, columns, database);
  return 0;
}
