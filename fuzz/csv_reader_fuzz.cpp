// Reads arbitrary bytes as a CSV file.
#include <cstdint>

#include "desktop/exchange/csv/csv_reader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  CsvRecordReader reader;
  if (reader.Open(folder.Write(QStringLiteral("input.csv"), FuzzBytes(data, size))) !=
      CsvReadResult::kRead) {
    return 0;
  }
  while (reader.ReadRecord() == CsvRecordReader::Next::kRecord) reader.Row();
  return 0;
}
